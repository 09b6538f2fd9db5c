#include "tarnwell_event.h"

#include "tarnwell.h"

namespace ui::dockable {

TarnwellException::TarnwellException(const QString& message) : std::runtime_error(message.toStdString()) {}

Tarnwell* TarnwellEvent::getTarnwellSource() const {
    return qobject_cast<Tarnwell*>(source_);
}

QString TarnwellEvent::toString() const {
    static const char* const words[] = {"selected", "maximized", "moved",    "removed",
                                        "hidden",   "shown",     "extracted"};
    QString text = printableId(id_) + " ";
    if (type_ >= 0 && type_ < int(std::size(words))) text += QLatin1String(words[type_]);
    return text;
}

}  // namespace ui::dockable
