#pragma once

#include <QtGlobal>

#include <algorithm>

namespace quillory::layout {

/**
 * The smallest n in [low, high] for which holds(n) is true, where holds is
 * false up to some n and true from there on, and holds(high) counts as true
 * without being asked.
 *
 * Measuring a text costs time in proportion to its length, and stepping by
 * one from a guess costs a measurement per character between guess and
 * answer. This search widens its steps by doubling, away from the guess,
 * and then closes in by halving: a right guess costs two calls, and no call
 * asks about an n much more than twice as far from the guess as the answer.
 */
template <typename Holds>
qsizetype gallopSearch(qsizetype low, qsizetype high, qsizetype guess, Holds holds)
{
    guess = std::clamp(guess, low, high);
    qsizetype no = low - 1; // the largest n known to be false
    qsizetype yes = high;   // the smallest n known to be true
    if (guess < high && !holds(guess)) {
        no = guess;
        for (qsizetype step = 1; no + step < yes; step *= 2) {
            if (holds(no + step)) {
                yes = no + step;
                break;
            }
            no += step;
        }
    } else {
        yes = guess;
        for (qsizetype step = 1; yes - step > no; step *= 2) {
            if (!holds(yes - step)) {
                no = yes - step;
                break;
            }
            yes -= step;
        }
    }
    while (yes - no > 1) {
        const qsizetype middle = no + (yes - no) / 2;
        if (holds(middle))
            yes = middle;
        else
            no = middle;
    }
    return yes;
}

} // namespace quillory::layout
