#pragma once
// Lots whose pieces moved between one another and are not saved since. Pieces move only
// within one member (one production plan's item at one process): a lot split cuts some off
// into a lot of their own, a merge folds the pieces of one arrangement into another and leaves
// the emptied one to be written as deleted, and a process split or a later merge may part or
// join such lots again. Until the save, a member's pieces are spread over its changed lots
// however the planner left them, so the changed lots that hold a member in common are one
// family: written together or not at all, read again together. The database then never holds
// half of a move of pieces.

#include "plan/PlanStore.h"

#include <vector>

// The lots to save (changed and shown) grouped into families: the changed lots that hold a
// member in common, directly or through one another. Each family in record order, the
// families in the order of their first lot. A lot sharing no member is a family of its own.
std::vector<std::vector<qint64>> changedLotFamilies(const PlanStore &store);

// The lots other than `lots` in the families of `lots`.
std::vector<qint64> otherLotsOfFamilies(const PlanStore &store, const std::vector<qint64> &lots);

// Whether the lot holds a provisional arrangement: pieces cut off by a split, not in the
// database yet.
bool holdsProvisionalArrangement(const PlanRecord &lot);
