// The fixed catalogue of services a player does not need, and the rule that lists a service for stopping.
// Pure functions of values: no Service Control Manager access.
#pragma once
#include <string>

// The catalogue text: its segments in order, each followed by seven tabs and one space.
const std::wstring& ServiceCatalogueText();

// True when the key name (any case) occurs in the upper-cased catalogue text.
bool NameInCatalogue(const std::wstring& upperCatalogue, const std::wstring& keyName);

// True when the text holds one of the update keywords "更新", "升级" or "update" (case kept).
bool HasUpdateKeyword(const std::wstring& text);

// The listing rule: catalogue by key name, else the keywords in the key name or the description.
bool IsListedService(const std::wstring& upperCatalogue, const std::wstring& keyName, const std::wstring& description);

// Upper-cases the text in place as the system does for key names (CharUpperW).
void UpperCaseInPlace(std::wstring& text);
