#include "RCfilt.h"

#include "GridRound.h"

void RCfilt::Apply (Frame f) noexcept
{
    float* x = f.data;
    const int n = f.length;
    float yp = yPrev;

    if (lowpass)
    {
        for (int i = 0; i < n; ++i)
        {
            const float y = (x[i] - yp) * alpha + yp;
            x[i] = y;
            yp = gridRound (y);
        }
    }
    else
    {
        float xp = xPrev;
        for (int i = 0; i < n; ++i)
        {
            const float in = x[i];
            const float y = ((yp + in) - xp) * alpha;
            x[i] = y;
            yp = gridRound (y);
            xp = in;
        }
        xPrev = xp;
    }

    yPrev = yp;
}
