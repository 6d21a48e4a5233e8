#include "optimizer/tools/page_file/page_file_advice.h"

// Placeholder until the drive survey lands: no advice.
bool PageFileNeedsAdvice() { return false; }
