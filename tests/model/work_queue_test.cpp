#include "model/work_queue.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace vexilo {
namespace {

// Whether n entries pushed one by one from `p` all fit and go to the slots after head without
// wrapping round the ring's end.
bool pushesFitUnwrapped(WorkQueue& queue, const WorkQueue::Positions& p, int32_t n) {
    queue.setPositions(p);
    for (int32_t i = 1; i <= n; ++i) {
        if (!queue.push(i) || queue.positions().head != p.head + i) return false;
    }
    return true;
}

// fitsInRun says yes exactly when pushes would all fit before the ring's end, and a run then
// leaves the queue as those pushes do.
TEST(WorkQueue, ARunFitsWhenPushesOneByOneWouldFitWithoutWrapping) {
    auto queue = std::make_unique<WorkQueue>();
    std::mt19937 random(5);
    for (int i = 0; i < 3000; ++i) {
        const int32_t n = static_cast<int32_t>(random() % 12);
        // Heads and readers near each other and near the ring's ends.
        const int32_t near[] = {0, 1, 20, kLogSlots - 20, kLogSlots - 2, kLogSlots - 1};
        const int32_t head = near[random() % 6] + static_cast<int32_t>(random() % 16) - 8;
        const int32_t readB = (random() % 2 != 0) ? head + static_cast<int32_t>(random() % 16) - 4
                                                  : near[random() % 6];
        auto wrap = [](int32_t slot) { return ((slot % kLogSlots) + kLogSlots) % kLogSlots; };
        const WorkQueue::Positions p = {wrap(head), wrap(head), wrap(head), wrap(readB)};
        queue->setPositions(p);
        const bool fits = queue->fitsInRun(n);
        ASSERT_EQ(fits, pushesFitUnwrapped(*queue, p, n)) << p.head << " " << p.readB << " " << n;
        if (!fits) continue;
        queue->setPositions(p);
        int32_t* slot = queue->runSlots();
        for (int32_t e = 1; e <= n; ++e) *slot++ = 1000 + e;
        queue->endRun(slot);
        EXPECT_EQ(queue->positions().head, p.head + n);
        for (int32_t e = 1; e <= n; ++e) EXPECT_EQ(queue->at(p.head + e), 1000 + e);
    }
}

}  // namespace
}  // namespace vexilo
