#include "app/songs/SongDrops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

#include "app/songs/DragTypes.h"

namespace cdz {

SongDrops::SongDrops(QWidget& viewport, std::function<bool(int64_t)> take)
    : QObject(&viewport), take_(std::move(take)) {
    viewport.setAcceptDrops(true);
    viewport.installEventFilter(this);
}

int64_t SongDrops::songOf(const QMimeData* data) {
    if (!data || !data->hasFormat(kSongMimeType)) return 0;
    bool ok = false;
    const qlonglong id = data->data(kSongMimeType).trimmed().toLongLong(&ok);
    return ok && id > 0 ? id : 0;
}

bool SongDrops::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (songOf(drag->mimeData()) != 0) {
                drag->acceptProposedAction();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const int64_t song = songOf(drop->mimeData());
            if (song != 0 && take_(song)) drop->acceptProposedAction();
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace cdz
