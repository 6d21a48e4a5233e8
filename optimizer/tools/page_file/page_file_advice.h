// Whether the page file is missing or badly placed, decided once at start-up from the fixed drives
// and the machine's page-file setting. Window thread, before the main window exists.
#pragma once

bool PageFileNeedsAdvice();
