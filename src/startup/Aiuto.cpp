#include "startup/Aiuto.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

Aiuto::Aiuto(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Aiuto"));
    setWindowTitle(QStringLiteral("HELP-?"));
    setModal(false);
    auto* testo = new QTextBrowser(this);
    testo->setHtml(QStringLiteral(
        "<h3>vkdesk</h3>"
        "<p>Ogni pagina raccoglie un gruppo di impostazioni del datalogger. "
        "I pulsanti <i>Leggi</i> le leggono dal datalogger, i pulsanti <i>Scrivi</i> "
        "le inviano. Il colore delle caselle indica lo stato del valore: "
        "giallo chiaro da leggere, rosso modificato e non ancora inviato, "
        "giallo acceso letto o scritto.</p>"
        "<ul>"
        "<li><b>DATA-MODALITA'</b>: orologio, data di partenza, acquisizione abilitata.</li>"
        "<li><b>TIMERS</b>: tempo di acquisizione e preaccensione.</li>"
        "<li><b>GESTIONE CANALI</b>: canali per multiplexer, contatore di eventi, "
        "cancellazione della memoria, reset, proprietà dei sensori.</li>"
        "<li><b>DATI GENERALI</b>: identificativo e stato della memoria.</li>"
        "<li><b>ACQUISIZIONE DEI DATI</b>: scarico dei dati e delle temperature su file.</li>"
        "<li><b>LETTURA CONTINUA</b>: lettura immediata dei multiplexer e tensioni interne.</li>"
        "<li><b>GPRS</b> e <b>ALLARMI</b>: parametri GPRS/FTP, SMS, telefono, impulsi del "
        "pluviometro.</li>"
        "</ul>"
        "<p><b>RESTORE</b> riabilita i comandi dopo un'operazione interrotta. "
        "Alla chiusura della finestra il programma scrive il file LOGOUT_ nella cartella "
        "dei dati.</p>"));
    auto* pulsanti = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(testo);
    layout->addWidget(pulsanti);
    resize(480, 380);
}
