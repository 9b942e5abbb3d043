#include "engine/quorvan_engine.h"

Quorvan::Quorvan()
    : ini_(std::make_unique<IniFile>()), tree_(ISO_Tree::kTableConfigFile), stmf_(tree_, &dyn_obj_table_) {}

Quorvan::~Quorvan() = default;

int32_t Quorvan::Init(int32_t role) {
    ini_->Load();  // a missing file keeps the current settings
    ini_->set_role(role);
    return 0;
}
