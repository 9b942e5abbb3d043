#include "engine/inside_engine.h"

thread_local int Inside_Engine::depth_ = 0;
