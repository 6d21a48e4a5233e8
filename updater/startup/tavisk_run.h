// One run of the updater after start-up: the command line, the skin, the update check and, when the user
// accepted, the progress window's message loop. Window thread; returns the process exit code.
#pragma once
#include <string>

class CSkinManage;
class CUpdateConfig;

int RunTavisk(const std::string& arguments,
              int showCommand,
              const CUpdateConfig& config,
              const std::string& officialUrl,
              CSkinManage& skin);
