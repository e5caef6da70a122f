// The main window's part of the update: the version check when the window is first shown, the
// offer, and the download of the signed installer with the hand-over to it.
#include "mainform.h"

#include "errorbox.h"
#include "flatpanel.h"
#include "httpget.h"
#include "imagebutton.h"
#include "maker.h"
#include "paths.h"
#include "serveraddress.h"
#include "version.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

void Tmain::connectUpdateHandlers() {
    auto on = [this](auto* sender, auto signal, void (Tmain::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { errorbox::guard([&] { (this->*handler)(); }); });
    };
    on(button_updateyes, &ImageButton::clicked, &Tmain::button_updateyesClick);
    on(button_updatecancel, &ImageButton::clicked, &Tmain::button_updatecancelClick);
    on(updatecheck, &QAction::triggered, &Tmain::updatecheckClick);
}

QString Tmain::programFile() const {
    return paths::beside(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

void Tmain::startUpdateCheck() {
    // A copy the player cannot replace (installed for the whole system) is updated by the
    // system's package manager; asking the server would only lead to an offer that must fail.
    if (!QFileInfo::exists(programFile()) || !paths::canCreateIn(paths::programFolder()))
        return;
    if (!checkupdate) {
        checkupdate = new THTTPGet(this);
        checkupdate->setObjectName(QStringLiteral("checkupdate"));
        checkupdate->OnDoneString = [this](QObject* sender, const QByteArray& result) {
            errorbox::guard([&] { checkupdateDoneString(sender, result); });
        };
    }
    checkupdate->URL =
        QString::fromStdString(serveraddress::baseUrl()) + update::versionObject(m_shortname);
    checkupdate->StartFetch();
}

void Tmain::checkupdateDoneString(QObject*, const QByteArray& Result) {
    // An error page is no version: only a real answer that differs brings the offer.
    if (!update::offered(checkupdate->StatusCode(), QString::fromUtf8(Result),
                         QString::fromLatin1(kProgramVersion)))
        return;
    panel_update->show();
    panel_update->raise();
}

void Tmain::button_updatecancelClick() {
    panel_update->hide();
}

void Tmain::button_updateyesClick() {
    button_updateyes->hide();
    button_updatecancel->hide();
    label_update->setText(tr("Updating. Please Wait..."));
    m_backup = update::ExecutableBackup(programFile());
    m_backup.moveAside();
    downloadit();
}

void Tmain::downloadit() {
    const std::string url = serveraddress::baseUrl() + update::kInstallerObject;
    const QString folder = paths::programFolder();
    const QString local = update::localName(QString::fromStdString(url), folder);
    try {
        update::downloadVerified(getupdate, url, local, update::trustedKey(),
                                 [this](std::int64_t bytes) {
                                     label_update->setText(tr("Received %1 bytes").arg(bytes));
                                 });
    } catch (const EHttpException&) {
        abortUpdate();
        return;
    } catch (const update::BadSignature&) {
        abortUpdate();
        return;
    } catch (...) {
        // A file that cannot be written is shown in the error box, with the game whole.
        abortUpdate();
        throw;
    }
    label_update->setText(tr("Installing"));
    if (update::startInstaller(local, folder)) {
        handOver();
        return;
    }
    QFile::remove(local);
    m_backup.restore();
    errorbox::show(tr("There was an error in the update process. Please download %1 manually "
                      "from %2.")
                       .arg(m_shortname.toUpper(), QLatin1String(kMakerSite)));
}

// Whatever went wrong, the game stays as it was: its executable under its own name and no
// installer left behind (the download has removed its file already).
void Tmain::abortUpdate() {
    label_update->setText(tr("Download Aborted"));
    m_backup.restore();
}

// The installer runs on its own now. The game ends the way a close by the player ends it, so
// the settings and the tally are saved, and its exit code tells that all went well.
void Tmain::handOver() {
    close();
    QCoreApplication::exit(0);
}
