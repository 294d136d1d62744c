#pragma once
// Lots cut from one another by a lot split and not saved since. The lot cut off holds
// provisional arrangements, each a copy-to-be of a stored arrangement of the lot it was cut
// from; the pieces it holds were taken from that lot. The two are one family until they are
// saved: written together or not at all, read again together.

#include "plan/PlanStore.h"

#include <vector>

// The lots to save (changed and shown) grouped into families: each family in record order,
// the families in the order of their first lot. A lot no split touched is a family of its own.
std::vector<std::vector<qint64>> changedLotFamilies(const PlanStore &store);

// The shown lots other than `lots` that hold a provisional arrangement cut from an
// arrangement of one of `lots`.
std::vector<qint64> lotsCutFrom(const PlanStore &store, const std::vector<qint64> &lots);
