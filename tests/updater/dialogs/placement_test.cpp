#include <gtest/gtest.h>

#include "updater/dialogs/dialog_placement.h"

TEST(DialogPlacement, CentredOnTheOwnerOrTheWorkAreaAndKeptInside) {
    const RECT work = {0, 0, 1280, 770};
    const RECT owner = {100, 100, 500, 400}, nearEdge = {1100, 600, 1300, 800};
    struct Case {
        const RECT* owner;
        POINT at;
    } cases[] = {{nullptr, {457, 247}}, {&owner, {117, 112}}, {&nearEdge, {914, 495}}};
    for (const Case& c : cases) {
        const POINT at = CentredPosition(kMovrelDialogSize, c.owner, work);
        EXPECT_EQ(c.at.x, at.x);
        EXPECT_EQ(c.at.y, at.y);
    }
    const POINT tiny = CentredPosition(kMovrelDialogSize, nullptr, RECT{10, 20, 300, 200});
    EXPECT_EQ(10, tiny.x);  // larger than the work area: its top-left corner stays visible
    EXPECT_EQ(20, tiny.y);
}
