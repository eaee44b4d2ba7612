#pragma once
// Sets up a work's state and settings for a test directly, as a loaded picture or a made pattern
// would leave them; what the test then checks goes through Work's own operations and accessors.
#include "work/work.h"
#include "work_loader.h"

struct WorkLoader {
    static WorkState& state(Work& work) { return work.m_st; }
    static Settings& settings(Work& work) { return work.m_settings; }
};

inline WorkState& load(Work& work) { return WorkLoader::state(work); }
inline Settings& loadSettings(Work& work) { return WorkLoader::settings(work); }
