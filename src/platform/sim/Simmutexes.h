#pragma once
#include <set>

#include "platform/Mutexes.h"

// The machine's named mutexes. A test adds a name to play another running instance; setting
// RaceOnCreate plays one that creates its mutex between our open and our create.
class TSimMutexes : public IMutexes {
public:
    bool OpenExisting(const std::string& name) override { return Names.count(name) != 0; }
    TCreate Create(const std::string& name) override {
        if (RaceOnCreate) Names.insert(name);
        return Names.insert(name).second ? TCreate::Created : TCreate::AlreadyExisted;
    }

    std::set<std::string> Names;
    bool RaceOnCreate = false;
};
