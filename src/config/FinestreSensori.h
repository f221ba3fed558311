#pragma once

#include <QObject>
#include <QPointer>

class Allarmi_An;
class Dialogs;
class Modulo1;
class Sensori_An;
class QWidget;
struct ProprietaSensori;
namespace Ui {
class Form1;
}

// The main window's two buttons that open the per-channel windows: sensor
// properties (page "GESTIONE CANALI") and alarms (page "ALLARMI"). Every
// opening builds a fresh window, which takes the main window's place until
// it is closed.
class FinestreSensori : public QObject
{
    Q_OBJECT
public:
    FinestreSensori(Ui::Form1& ui, QWidget* finestraPrincipale, Modulo1& link, Dialogs& dialogs,
                    ProprietaSensori& proprieta, QObject* parent = nullptr);
    ~FinestreSensori() override;

    // The window now open, or null.
    Sensori_An* sensori() const;
    Allarmi_An* allarmi() const;

    // Plain methods, not slots: the meta-object compiler cannot spell the
    // control's accented name, and function-pointer connections need none.
    void Leggi_poprietà();
    void Leggi_Allarmi();

private:
    Ui::Form1& m_ui;
    QWidget* m_finestraPrincipale;
    Modulo1& m_link;
    Dialogs& m_dialogs;
    ProprietaSensori& m_proprieta;
    QPointer<Sensori_An> m_sensori;
    QPointer<Allarmi_An> m_allarmi;
};
