// The transport may not use the engine: with the transport's include root
// this file must fail to compile.
#include "engine/ini_file.h"
