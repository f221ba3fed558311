#include "download/ScaricoDati.h"

#include "common/Dialogs.h"
#include "common/FieldColours.h"
#include "common/TextForms.h"
#include "download/DataFileWriter.h"
#include "download/FileDestinazione.h"
#include "download/LetturaMemoria.h"
#include "download/ProprietaSensori.h"
#include "download/ReadingConversions.h"
#include "link/Modulo1.h"
#include "link/SerialPort.h"
#include "startup/ui_Form1.h"

#include <array>

namespace {

// Chunk size of the port's reads during a dump.
constexpr int BloccoRicezione = 30000;

// Model code of the 16-bit analog logger and of the vibrating-wire one.
constexpr int ModelloAnalogico = 0;
constexpr int ModelloCordaVibrante = 1;

const QColor Verde = FieldColours::fromBgr(0x0000C000);
const QColor Giallo = FieldColours::fromBgr(0x0000FFFF);

} // namespace

ScaricoDati::ScaricoDati(Ui::Form1& ui, Modulo1& link, Dialogs& dialogs,
                         ProprietaSensori& proprieta, QObject* parent)
    : QObject(parent), m_ui(ui), m_link(link), m_dialogs(dialogs), m_proprieta(proprieta),
      m_adesso([] { return QDateTime::currentDateTime(); })
{
    connect(m_ui.Acquisisci, &QPushButton::clicked, this, &ScaricoDati::Acquisisci);
    connect(m_ui.Acquisisci_Temp, &QPushButton::clicked, this, &ScaricoDati::Acquisisci_Temp);
}

void ScaricoDati::Acquisisci()
{
    scarica({DataFileLayout::Tipo::Sensori, QStringLiteral("A"), QStringLiteral("Attendi..")});
}

void ScaricoDati::Acquisisci_Temp()
{
    scarica(
        {DataFileLayout::Tipo::Temperature, QStringLiteral("a"), QStringLiteral("Wait Please")});
}

QString ScaricoDati::converti(const Genere& genere, const QString& risposta) const
{
    if (genere.tipo == DataFileLayout::Tipo::Temperature)
        return ReadingConversions::temperatura(risposta);
    if (m_link.ModelloDatalogger != ModelloCordaVibrante)
        return ReadingConversions::analogico(risposta);
    // The option in force when the reading arrives decides its unit.
    return m_ui.TipoF_0->isChecked() ? ReadingConversions::frequenza(risposta)
                                     : ReadingConversions::digits(risposta);
}

bool ScaricoDati::conEventi(const Genere& genere) const
{
    return genere.tipo == DataFileLayout::Tipo::Sensori && m_ui.PLUVIOMETRO->isChecked();
}

QStringList ScaricoDati::descrizione(const Genere& genere) const
{
    if (genere.tipo == DataFileLayout::Tipo::Temperature)
        return {};
    if (m_link.ModelloDatalogger != ModelloAnalogico)
        return {DataFileLayout::rigaUnita(m_ui.TipoF_0->isChecked())};
    const std::array<int, 4> mux{
        int(TextForms::value(m_ui.MUX_0->text())), int(TextForms::value(m_ui.MUX_1->text())),
        int(TextForms::value(m_ui.MUX_2->text())), int(TextForms::value(m_ui.MUX_3->text()))};
    return DataFileLayout::righeCanali(mux, m_proprieta);
}

void ScaricoDati::scarica(const Genere& genere)
{
    m_link.Disabilita_Comandi();
    QLineEdit* nomeFile = m_ui.Nome_File_Dati;
    FieldColours::setBackground(nomeFile, Giallo);

    const QString identificatore = m_ui.Nome_Centralina->text();
    const QString nome = DataFileLayout::nomeFile(identificatore, m_adesso().date(), genere.tipo);
    const QString cartella = m_ui.Dir1->text();
    const QString percorso = DataFileLayout::percorso(cartella, nome);
    nomeFile->setText(percorso);

    // Nothing is sent to the logger unless the file can be created.
    if (!DataFileLayout::identificatoreValido(identificatore)) {
        m_dialogs.message(QStringLiteral("Attenzione"), QStringLiteral("Nome ") + nomeFile->text() +
                                                            QStringLiteral(" non valido"));
        nomeFile->clear();
        m_link.Abilita_Comandi();
        return;
    }
    FileDestinazione destinazione(percorso);
    if (cartella.trimmed().isEmpty() || !destinazione.apri()) {
        m_dialogs.message(QStringLiteral("Attenzione"),
                          QStringLiteral("Dispositivo non presente!"));
        m_link.Abilita_Comandi();
        return;
    }

    SerialPort& porta = m_link.porta();
    const int bloccoPrecedente = porta.inputLen();
    if (!m_link.ModoTCP)
        porta.setInputLen(BloccoRicezione);
    m_link.Invia_Comando(genere.comando, QString());
    nomeFile->setText(genere.attesa);

    LetturaMemoria lettura(m_link);
    const LetturaMemoria::Esito esito = lettura.leggi(
        [&](const QString& r) { return converti(genere, r); }, [&] { return conEventi(genere); },
        [&](int percento) {
            m_ui.Text1->setText(TextForms::signedText(percento) + QStringLiteral(" %"));
        });
    if (!m_link.ModoTCP)
        porta.setInputLen(bloccoPrecedente);

    if (esito.interrotto) {
        QString salvato;
        if (esito.contiRicevuti) {
            const QStringList testata =
                DataFileLayout::testata(genere.tipo, m_adesso(), esito.canali,
                                        esito.registrazioni.size(), descrizione(genere));
            const bool eventi = conEventi(genere);
            salvato = destinazione.salvaAParte(etichettaInterrotto(), [&](QIODevice& out) {
                return DataFileWriter::scrivi(out, testata, esito.registrazioni, genere.tipo,
                                              eventi);
            });
        } else {
            destinazione.annulla();
        }
        segnalaInterruzione(salvato, esito.registrazioni.size(), esito.record, esito.contiRicevuti);
        nomeFile->setText(salvato);
        FieldColours::setColour(nomeFile, FieldColours::ToRead);
        m_link.Abilita_Comandi();
        return;
    }

    m_dialogs.beep();
    nomeFile->setText(QStringLiteral("Check Dati: OK"));
    const QStringList testata = DataFileLayout::testata(genere.tipo, m_adesso(), esito.canali,
                                                        esito.record, descrizione(genere));
    const bool eventi = conEventi(genere);
    const FileDestinazione::Scrittura scrivi = [&](QIODevice& out) {
        return DataFileWriter::scrivi(out, testata, esito.registrazioni, genere.tipo, eventi);
    };
    if (!destinazione.completa(scrivi)) {
        // The destination could not be replaced (held by another program,
        // disk full): the data must not be lost with it.
        const QString errore = destinazione.errore();
        const QString salvato = destinazione.salvaAParte(etichettaInterrotto(), scrivi);
        m_dialogs.message(QStringLiteral("Attenzione"),
                          QStringLiteral("Impossibile scrivere il file ") + percorso +
                              QStringLiteral(" (") + errore + QStringLiteral(").") +
                              (salvato.isEmpty()
                                   ? QStringLiteral(" Nessun dato salvato.")
                                   : QStringLiteral(" Dati salvati nel file ") + salvato + u'.'),
                          Dialogs::Icon::Warning);
        nomeFile->setText(salvato);
        FieldColours::setColour(nomeFile, FieldColours::ToRead);
        m_link.Abilita_Comandi();
        return;
    }

    m_dialogs.beep();
    nomeFile->setText(QStringLiteral("Check Dati 3: OK"));
    FieldColours::setBackground(nomeFile, Verde);
    nomeFile->setText(QStringLiteral("Registrazione eseguita"));
    m_dialogs.beep();
    m_ui.Acquisisci->setEnabled(true);
    m_ui.Acquisisci_Temp->setEnabled(true);
    m_link.Attendi(100);
    nomeFile->setText(nome);
    m_link.Abilita_Comandi();
}

void ScaricoDati::segnalaInterruzione(const QString& salvato, qint64 salvate, qint64 annunciate,
                                      bool contiRicevuti)
{
    const QString motivo = m_link.ErroreLink() ? QStringLiteral("errore di comunicazione (") +
                                                     m_link.DescrizioneErrore() + u')'
                                               : QStringLiteral("il datalogger non risponde");
    QString testo = QStringLiteral("Scaricamento interrotto: ") + motivo + u'.';
    if (!contiRicevuti)
        testo += QStringLiteral("\nNessun dato salvato.");
    else if (salvato.isEmpty())
        testo += QStringLiteral("\nImpossibile salvare le %1 registrazioni ricevute su %2.")
                     .arg(salvate)
                     .arg(annunciate);
    else
        testo += QStringLiteral("\nSalvate %1 registrazioni su %2 nel file %3.")
                     .arg(salvate)
                     .arg(annunciate)
                     .arg(salvato);
    m_dialogs.message(QStringLiteral("Attenzione"), testo, Dialogs::Icon::Warning);
}
