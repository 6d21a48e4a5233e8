#include "optimizer/core/main_window/first_images.h"

#include <algorithm>

#include "skin/files/ini_values.h"

std::vector<int> ImagesShownFirst(const std::vector<ControlImages>& controls) {
    std::vector<int> first;
    for (const ControlImages& control : controls) {
        if (control.page != -1 && control.page != 0)
            continue;
        for (int number : control.numbers) {
            if (number > 0 && std::find(first.begin(), first.end(), number) == first.end())
                first.push_back(number);
        }
    }
    return first;
}

std::vector<int> ImageNumbersOf(const ControlRow& row, const std::wstring& ini) {
    const auto read = [&](const wchar_t* key) { return ReadIniInt(ini, row.name, key, 0); };
    switch (row.kind) {
        case ControlKind::kImage:
        case ControlKind::kAnimation: {
            int number = 0;  // images read a C-integer, as SkinImage::Load does
            ReadIniCInteger(ini, row.name, L"Image", number);
            return {number};
        }
        case ControlKind::kButton:
            return {read(L"Image")};
        case ControlKind::kProgressBar:
            return {read(L"ImageBk"), read(L"Image"), read(L"ImageHeader")};
        case ControlKind::kTabStrip: {
            std::vector<int> numbers;
            const int count = read(L"ItemCount");
            for (int n = 1; n <= count; ++n)
                numbers.push_back(read((L"Image_Item" + std::to_wstring(n)).c_str()));
            return numbers;
        }
        case ControlKind::kLink:
        case ControlKind::kText:
            break;
    }
    return {};
}
