// The start-up flow of the main window and the "Speichern" command.
#include "umain.h"

#include "AreaListItem.h"
#include "AreaListSink.h"
#include "DefinitionDatabase.h"
#include "DefinitionLoading.h"
#include "MessageBoxes.h"
#include "SaveDefinitions.h"
#include "StringGrid.h"
#include "TreeComboBox.h"
#include "U_ELO.h"
#include "imageview/ImageEnVect.h"

#include <QCoreApplication>
#include <QComboBox>
#include <QLabel>
#include <QShowEvent>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

namespace {

const QString EloNotReadyText = QStringLiteral("Bitte starten Sie ELO und melden Sie sich an.");
const QString EmptyPostBoxText = QStringLiteral("Kein Dokument in der Postbox vorhanden!");
const QString DatabaseFailedText = QStringLiteral("Die Datenbank konnte nicht geöffnet werden!");
const QString InvalidMaskText = QStringLiteral("Keine gültige Ablagemaske!");

} // namespace

void Tfmain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_formShowStarted || event->spontaneous() || !s_startupFlowOnFirstShow)
        return;
    m_formShowStarted = true;
    QTimer::singleShot(0, this, [this] { formShowOnceOnScreen(100); });
}

void Tfmain::formShowOnceOnScreen(int triesLeft)
{
    // Once the window is on the screen (a window manager maximises it on its
    // own time), so that the flow's boxes stand in front of it and the page
    // is fitted into the view's final size.
    const QWindow *window = windowHandle();
    if (window && !window->isExposed() && triesLeft > 0 && isVisible()) {
        QTimer::singleShot(10, this, [this, triesLeft] { formShowOnceOnScreen(triesLeft - 1); });
        return;
    }
    FormShow();
}

void Tfmain::setCommandLineArguments(const QStringList &arguments)
{
    m_arguments = arguments;
    m_argumentsGiven = true;
}

void Tfmain::setStartupState(StartupState state)
{
    if (m_startupState == state)
        return;
    m_startupState = state;
    emit startupStateChanged(state);
}

void Tfmain::closeMainWindow()
{
    setStartupState(StartupState::Closing);
    QTimer::singleShot(0, this, &QWidget::close);
}

void Tfmain::FormShow()
{
    m_formShowStarted = true;
    if (m_startupState != StartupState::Created)
        return;
    try {
        runStartupFlow();
    } catch (...) {
        // The flow stops where it failed and the window stays open with what
        // was loaded so far. Nothing is shown; but "Speichern" must not write
        // back a half-loaded document type over the stored one.
        SpeedButton15->setEnabled(false);
        SpeedButton7->setEnabled(false);
        setStartupState(StartupState::Stalled);
        IgnoreException(this, std::current_exception());
    }
}

void Tfmain::runStartupFlow()
{
    // The area list's column lock is installed with the window, not here.
    bool cancelled = false;
    while (m_elo->Connect() != 0) {
        setStartupState(StartupState::WaitingForElo);
        if (MessageBoxes::confirmOkCancel(EloNotReadyText) != MessageAnswer::Ok) {
            cancelled = true;
            break;
        }
    }

    if (!cancelled) {
        setStartupState(StartupState::Starting);
        [&] {
            const std::int32_t line = m_elo->FindSelectedPostBoxLine();
            if (line == -1) {
                MessageBoxes::showMessage(EmptyPostBoxText);
                closeMainWindow();
                return;
            }
            ReadCommandLine();
            if (!OpenDatabase()) {
                MessageBoxes::showError(DatabaseFailedText);
                closeMainWindow();
                return;
            }
            m_elo->ActivatePostBoxLine(line);
            const QString file = m_elo->GetActivePostFile();
            LB_NameDatei->setText(file);
            // A file that cannot be read raises and stops the flow; an
            // empty path shows no page and the flow goes on without one.
            if (!file.isEmpty()) {
                ImageEnVect1->loadFromFile(file);
                ImageEnVect1->fit();
                // The annotations are extras on the page: the marks that could
                // be read stay even when a block is damaged.
                ImageEnVect1->copyAnnotationsFrom(file);
            }
            // "Speichern" and "Neuer Barcodebereich" wait for the flow's
            // end (below): enabled now, a failure in a later step would let a
            // save replace the stored areas with the few loaded before it.
            BuildIndexFieldGrid(m_elo->FieldNames, m_elo->FieldCount);
            const std::int32_t docId = m_commandLine.DocumentTypeNumber;
            AreaListSink sink(*ListView1, *ImageEnVect1);
            const std::int32_t rowsLoaded = LoadAreaDefinitions(*m_database, docId, sink);
            if (rowsLoaded >= 1) {
                StringGrid_ELOAblagemaske->setCells(0, 0, QStringLiteral("Indexfeld der Ablagemaske:"));
                StringGrid_ELOAblagemaske->setCells(1, 0, QStringLiteral("Name:"));
                for (int i = 0; i < m_elo->FieldCount; ++i)
                    FillComboWithAreas(findChild<TAdvTreeComboBox *>(IndexFieldGrid::comboName(i)));
                ImageEnVect1->setMouseMode(MouseMode::Select);
                ImageEnVect1->setRubberBandEnabled(false);
                m_database->DS_Einstellungen().close();
                ListView1->setCurrentItem(ListView1->topLevelItem(0));
                if (m_elo->CheckMaskName(m_commandLine.MaskName) < 1) {
                    MessageBoxes::showError(InvalidMaskText);
                    closeMainWindow();
                    return;
                }
                LoadFieldBindings(*m_database, docId, m_elo->FieldCount,
                                  [this](std::int32_t comboIndex, std::int32_t areaNumber) {
                                      SelectAreaInCombo(
                                          findChild<TAdvTreeComboBox *>(IndexFieldGrid::comboName(comboIndex)),
                                          areaNumber);
                                  });
                SB_Bearbeite->setEnabled(true);
                m_database->DS_Einstellungen().close();
            } else {
                SetAreaControlsEnabled(false);
            }
            SpeedButton15->setEnabled(true);
            SpeedButton7->setEnabled(true);
            setStartupState(StartupState::Ready);
        }();
    }

    FormResize();
    if (cancelled)
        closeMainWindow();
}

void Tfmain::ReadCommandLine()
{
    const QStringList arguments = m_argumentsGiven ? m_arguments : QCoreApplication::arguments().mid(1);
    CommandLineTargets targets;
    targets.readMaskFields = [this](const QString &maskName) { m_elo->ReadMaskFields(maskName); };
    targets.setConnectionStringCaption = [this](const QString &caption) { LB_ConnectionString->setText(caption); };
    targets.setDocIdCaption = [this](const QString &caption) { LB_DocID->setText(caption); };
    ::ReadCommandLine(arguments, m_commandLine, targets);
}

bool Tfmain::OpenDatabase()
{
    return m_database->OpenDatabase(LB_ConnectionString->text());
}

bool Tfmain::CloseDatabase()
{
    return m_database->CloseDatabase();
}

void Tfmain::SpeedButton15Click()
{
    // A speed button takes no focus, so no exit handler has stored what the
    // area panel still holds.
    StorePendingAreaPanelEdit();

    QList<SaveArea> areas;
    for (int i = 0; i < areaCount(); ++i) {
        const AreaListItem *item = areaItem(i);
        // Skipping an entry would renumber the areas behind it against the
        // combos, and defaults would overwrite settings nobody chose: refuse.
        if (!item || !item->field()) {
            MessageBoxes::showMessage(FailedSaveLead +
                                      QStringLiteral("Der Barcode-Bereich %1 hat keine Definition.").arg(i + 1));
            return;
        }
        areas.append({item->Caption(), item->text(AreaListItem::AreaColumn), *item->field()});
    }
    QList<SaveCombo> combos;
    for (TAdvTreeComboBox *combo : m_indexFields->combos())
        combos.append({combo->objectName(), AreaNumberOf(combo)});

    const SaveResult result =
        SaveDefinitions(*m_database, LB_ConnectionString->text(), LB_DocID->text(), areas, combos);
    switch (result.Outcome) {
    case SaveOutcome::OpenFailed:
        MessageBoxes::showError(result.boxText());
        break;
    case SaveOutcome::Failed:
        MessageBoxes::showMessage(result.boxText());
        break;
    case SaveOutcome::Saved:
        MessageBoxes::showInformation(result.boxText());
        break;
    }
}
