#include "RowHit.h"

RunLengths RunLengths::fromDarkFlags(const unsigned char *dark, int length)
{
    RunLengths r;
    bool current = false; // the first run is light, possibly empty
    int begin = 0;
    for (int i = 0; i < length; ++i) {
        const bool d = dark[i] != 0;
        if (d != current) {
            r.runs.push_back(i - begin);
            r.offset.push_back(begin);
            begin = i;
            current = d;
        }
    }
    r.runs.push_back(length - begin);
    r.offset.push_back(begin);
    if (current) { // end with a light run so that pairs stay aligned
        r.runs.push_back(0);
        r.offset.push_back(length);
    }
    return r;
}

RunLengths RunLengths::reversed(int length) const
{
    RunLengths r;
    // Runs are light-first; reversed, the trailing light run leads.
    for (size_t i = runs.size(); i-- > 0;) {
        r.runs.push_back(runs[i]);
        r.offset.push_back(length - (offset[i] + runs[i]));
    }
    if (!r.runs.empty() && r.runs.size() % 2 == 0) {
        r.runs.push_back(0);
        r.offset.push_back(length);
    }
    return r;
}
