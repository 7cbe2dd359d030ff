#include "core/setup/TickCaption.h"

bool IsTicked(const QString& caption) {
    return caption.startsWith(kTick);
}

QString ToggleTick(const QString& caption) {
    return IsTicked(caption) ? caption.mid(kTick.size()) : kTick + caption;
}
