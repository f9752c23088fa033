#pragma once
// A list that takes songs dragged from the song browse: it watches the list's viewport, offers
// to take only the program's own song drags (a song number, never plain text), and hands each
// dropped song's number on.
#include <QObject>
#include <cstdint>
#include <functional>

class QMimeData;
class QWidget;

namespace cdz {

class SongDrops : public QObject {
public:
    // `take` stores the dropped song and says whether it did.
    SongDrops(QWidget& viewport, std::function<bool(int64_t song)> take);

    // The song number a drag carries when it is one of the program's songs; 0 otherwise.
    static int64_t songOf(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(int64_t)> take_;
};

}  // namespace cdz
