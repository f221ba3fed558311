#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QCheckBox;

// Check boxes that show only what the logger reports. A press on one is kept
// from the box, so its own click handling cannot flip what the read-back
// shows, and runs the box's action instead (send the new state, read it
// back); double clicks and the keyboard toggle are kept from it likewise.
// The actions leave the device controls enabled while they wait for the
// logger, so a press on any of the boxes meanwhile is ignored: it would cut
// into the exchange under way.
class InterruttoriLogger : public QObject
{
    Q_OBJECT
public:
    explicit InterruttoriLogger(QObject* parent = nullptr) : QObject(parent) {}

    // Watches `casella`: a press runs `pressione`.
    void aggiungi(QCheckBox* casella, std::function<void()> pressione);

    // The state a press asks for, bare: the opposite of a tick.
    static QString opposto(const QCheckBox* casella);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Interruttore
    {
        QObject* casella;
        std::function<void()> pressione;
    };

    QList<Interruttore> m_interruttori;
    bool m_inCommutazione = false;
};
