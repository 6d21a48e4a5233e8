// Where the first page draws the memory clean-up's percentage and result line. Pure; any thread.
#pragma once

// Left edge of the percentage: 356 for one digit, 352 for more.
int MemoryPercentLeft(int percent);

// The result line "整理完成！为您腾出       的空间" from 405, the freed amount at 525 over its seven
// blanks. It is drawn in three pieces, so that a face wider or with narrower blanks than the one it was
// laid out for never runs the amount into the words.
constexpr float kMemoryResultLeft = 405;
constexpr float kMemoryResultTop = 187;
constexpr float kMemoryAmountLeft = 525;
constexpr wchar_t kMemoryResultHead[] =
    L"\u6574\u7406\u5b8c\u6210\uff01\u4e3a\u60a8\u817e\u51fa";  // 整理完成！为您腾出
constexpr wchar_t kMemoryResultBlanks[] = L"       ";
constexpr wchar_t kMemoryResultTail[] = L"\u7684\u7a7a\u95f4";  // 的空间

struct MemoryResultLayout {
    float amountLeft;  // 525, or one blank after a head that reaches past it
    float tailLeft;    // where the blanks end, or one blank after an amount wider than them
};
// From the advance widths, in the drawing font, of the head, the seven blanks and the amount.
MemoryResultLayout LayOutMemoryResult(float headWidth, float blanksWidth, float amountWidth);
