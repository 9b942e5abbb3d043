// The transport uses the codec, whose headers use the tree, but may not use
// the tree itself: with the transport's include root this file must fail to
// compile.
#include "codec/stmf.h"
#include "tree/iso_tree.h"
