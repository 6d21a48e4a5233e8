// What a set of named skin controls shows after page-model changes are applied, for the tool tests.
#pragma once
#include <map>
#include <set>
#include <string>

#include "skin/controls/control_changes.h"

struct ControlState {
    std::set<std::wstring> shown;
    std::set<std::wstring> disabled;
    std::map<std::wstring, int> positions;
    std::map<std::wstring, std::wstring> texts;

    void Apply(const ControlChanges& changes) {
        for (const ControlChange& c : changes) {
            switch (c.kind) {
                case ControlChange::kShow:
                    shown.insert(c.name);
                    break;
                case ControlChange::kHide:
                    shown.erase(c.name);
                    break;
                case ControlChange::kEnable:
                    disabled.erase(c.name);
                    break;
                case ControlChange::kDisable:
                    disabled.insert(c.name);
                    break;
                case ControlChange::kSetText:
                    texts[c.name] = c.text;
                    break;
                case ControlChange::kSetPos:
                    positions[c.name] = c.value;
                    break;
                case ControlChange::kSetColor:
                    break;
            }
        }
    }
};
