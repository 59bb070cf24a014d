// The rows of the file comparison: the cards of two files paired by entry,
// keeping only what differs (a card on one side only, or texts that differ
// beyond letter case). Sorting and pairing use one order, lower case with
// accents significant, so "Niño" and "Nino" stay apart.
#pragma once

#include <string>
#include <vector>

#include "engine/cartulo.h"

namespace cartulo::windows {

struct FilaComparada {
    CardId a = kNoCard;  // kNoCard: the card is missing on that side
    CardId b = kNoCard;
};

// What a row shows for a card: its entry, " <Ficha principal>" for the main card.
std::string EntradaMostrada(const cCartulo& file, CardId card);

// Walks the card lists directly, so no file's kept search query changes.
std::vector<FilaComparada> CompararCartulos(const cCartulo& a, const cCartulo& b);

// The card is still in the file.
bool FichaViva(const cCartulo& file, CardId card);

}  // namespace cartulo::windows
