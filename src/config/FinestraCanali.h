#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <array>

class Dialogs;
class Modulo1;
class QLineEdit;
class QPushButton;

// What the two per-channel windows (sensor properties, alarms) share: the
// channel counts taken from the main window's MUX boxes, the eight read/write
// buttons locked while one runs, and the life of the window: the main window
// is hidden while it is open and shown again when it closes, and a closed
// window is discarded so the next opening starts from "Da Leggere".
class FinestraCanali : public QWidget
{
    Q_OBJECT
public:
    static constexpr int NumeroMux = 4;
    static constexpr int Righe = 16;
    using CaselleMux = std::array<QLineEdit*, NumeroMux>;

    // The channel count in a MUX box: its numeric value, whole channels only,
    // never more than the window's sixteen rows (a text that is no number: 0).
    static int canaliDaTesto(const QString& testo);

    // Shows the window in place of the main window.
    void apri();

    // Whether the user closed the window while an operation was running; the
    // operation then sends nothing more.
    bool chiusa() const { return m_chiusa; }

protected:
    FinestraCanali(const CaselleMux& mux, QWidget* finestraPrincipale, Modulo1& link,
                   Dialogs& dialogs, QWidget* parent);

    // The count of multiplexer m at this moment.
    int canali(int m) const;

    void impostaPulsanti(const QList<QPushButton*>& pulsanti) { m_pulsanti = pulsanti; }
    void abilitaPulsanti(bool abilitati);

    // The window's arrays of controls, named "<prefisso>_<i>" in the .ui.
    template <typename W, std::size_t N> std::array<W*, N> serie(const char* prefisso) const
    {
        std::array<W*, N> controlli{};
        for (std::size_t i = 0; i < N; ++i)
            controlli[i] =
                findChild<W*>(QStringLiteral("%1_%2").arg(QLatin1String(prefisso)).arg(i));
        return controlli;
    }

    // Held for the length of an operation: a window closed meanwhile is
    // discarded only once the operation is over, never under its feet.
    class Operazione
    {
    public:
        explicit Operazione(FinestraCanali& finestra);
        ~Operazione();
        Operazione(const Operazione&) = delete;
        Operazione& operator=(const Operazione&) = delete;

    private:
        FinestraCanali& m_finestra;
    };

    void closeEvent(QCloseEvent* evento) override;

    Modulo1& m_link;
    Dialogs& m_dialogs;

private:
    CaselleMux m_mux;
    QWidget* m_finestraPrincipale;
    QList<QPushButton*> m_pulsanti;
    int m_inCorso = 0;
    bool m_chiusa = false;
};
