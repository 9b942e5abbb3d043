#include "engine/quorvan_engine.h"

Quorvan::Quorvan() : ini_(std::make_unique<IniFile>()), tree_(ISO_Tree::kTableConfigFile) {}

Quorvan::~Quorvan() = default;

int32_t Quorvan::Init(int32_t role) {
    ini_->Load();  // a missing file keeps the current settings
    ini_->set_role(role);
    return 0;
}
