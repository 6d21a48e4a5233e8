#include "optimizer/tools/memory/memory_result_line.h"

#include <algorithm>

int MemoryPercentLeft(int percent) {
    return percent <= 9 ? 356 : 352;
}

MemoryResultLayout LayOutMemoryResult(float headWidth, float blanksWidth, float amountWidth) {
    const float blank = blanksWidth / 7;
    const float headEnd = kMemoryResultLeft + headWidth;
    MemoryResultLayout layout;
    layout.amountLeft = headEnd <= kMemoryAmountLeft ? kMemoryAmountLeft : headEnd + blank;
    layout.tailLeft = (std::max)(headEnd + blanksWidth, layout.amountLeft + amountWidth + blank);
    return layout;
}
