#include "climessage.h"

namespace vucs {

static const QLatin1String kTranslateMarker("$VTR$");

cString cLIMessage::text() const
{
    QString in = mText.startsWith(kTranslateMarker) ? mText.mid(kTranslateMarker.size()) : mText;
    QString out;
    out.reserve(in.size());
    int next = 0;
    for (int i = 0; i < in.size(); ++i) {
        if (in.at(i) == QLatin1Char('%')) {
            // A placeholder is %name% with a plain identifier in between.
            int end = i + 1;
            while (end < in.size()
                   && (in.at(end).isLetterOrNumber() || in.at(end) == QLatin1Char('_')))
                ++end;
            if (end < in.size() && end > i + 1 && in.at(end) == QLatin1Char('%')
                && next < mArgs.size()) {
                out += mArgs.at(next++);
                i = end;
                continue;
            }
        }
        out += in.at(i);
    }
    return cString(out);
}

} // namespace vucs
