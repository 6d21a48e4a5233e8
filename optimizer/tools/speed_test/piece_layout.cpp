#include "optimizer/tools/speed_test/piece_layout.h"

std::vector<RECT> LayOutPieces(const std::vector<RECT>& measured) {
    std::vector<RECT> placed;
    placed.reserve(measured.size());
    for (const RECT& piece : measured) {
        if (placed.empty()) {
            placed.push_back(piece);
            continue;
        }
        const RECT& previous = placed.back();
        const LONG width = piece.right - piece.left;
        const LONG height = piece.bottom - piece.top;
        placed.push_back({previous.right, previous.top, previous.right + width, previous.top + height});
    }
    return placed;
}
