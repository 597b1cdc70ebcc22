#include "ValveStage.h"

void ValveStage::Apply (float* x, int n) const noexcept
{
    const float* T = table;
    for (int i = 0; i < n; ++i)
        x[i] = lookup (T, x[i]);
}
