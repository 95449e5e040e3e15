#pragma once
// The main window's note that the hill and the distances come from a
// terrain, and which one: a small label over a free part of the diagram,
// hidden while the single hill is the user's own.

#include <QLabel>

namespace tarsel {

class TerrainNote : public QLabel {
    Q_OBJECT
public:
    explicit TerrainNote(QWidget* diagram);
    // Shows text, or hides the note when it is empty.
    void setNote(const QString& text);
    // Keeps the note in the lower middle of the diagram, between the two
    // columns of entry fields.
    void place();
};

} // namespace tarsel
