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
#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include <optional>

namespace {

// The version file holds a version number and nothing else; a few hundred bytes leave room for
// any we will ever write, and a server that sends more is not answering the question. The check
// runs by itself at every start, so it must never hold more than this, nor run for long.
constexpr qint64 kMaxVersionSize = 512;
constexpr int kVersionDeadlineMs = 20000;

} // namespace

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
    // system's package manager, and one the installer cannot replace in place (a build, a copied
    // folder) by hand; asking the server would only lead to an offer that must fail.
    if (!QFileInfo::exists(programFile()) || !paths::canCreateIn(paths::programFolder()) ||
        update::installPrefix(paths::programFolder()).isEmpty())
        return;
    if (!checkupdate) {
        checkupdate = new THTTPGet(this);
        checkupdate->setObjectName(QStringLiteral("checkupdate"));
        checkupdate->MaxBodySize = kMaxVersionSize;
        checkupdate->Deadline = kVersionDeadlineMs;
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
    const QString version = QString::fromUtf8(Result);
    if (!update::offered(checkupdate->StatusCode(), version, QString::fromLatin1(kProgramVersion)))
        return;
    m_offeredVersion = version;
    // The player is asked for a name first; the offer follows once the name is taken.
    if (panel_name->isVisible()) {
        m_offerWaiting = true;
        return;
    }
    showUpdateOffer();
}

void Tmain::showUpdateOffer() {
    m_offerWaiting = false;
    panel_update->show();
    panel_update->raise();
}

void Tmain::button_updatecancelClick() {
    panel_update->hide();
}

// The program stays as it is until the installer has been downloaded and checked: only the
// hand-over moves it aside.
void Tmain::button_updateyesClick() {
    button_updateyes->hide();
    button_updatecancel->hide();
    label_update->setText(tr("Updating. Please Wait..."));
    downloadit();
}

void Tmain::downloadit() {
    const std::string url = serveraddress::baseUrl() + update::kInstallerObject;
    std::optional<update::Installer> installer;
    try {
        installer.emplace(update::downloadVerified(
            getupdate, url, QDir::tempPath(), update::trustedKey(), m_offeredVersion,
            QString::fromLatin1(kProgramVersion), [this](std::int64_t bytes) {
                label_update->setText(tr("Received %1 bytes").arg(bytes));
            }));
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
    if (update::handOver(*installer, update::installPrefix(paths::programFolder()),
                         programFile())) {
        handOver();
        return;
    }
    errorbox::show(tr("There was an error in the update process. Please download %1 manually "
                      "from %2.")
                       .arg(m_shortname.toUpper(), QLatin1String(kMakerSite)));
}

// The game is as it was: its executable in place and no installer left behind (the download's
// file had no name). The message stays, and CANCEL closes the panel.
void Tmain::abortUpdate() {
    label_update->setText(tr("Download Aborted"));
    button_updatecancel->show();
}

// The installer runs on its own now. The game ends the way a close by the player ends it, so
// the settings and the tally are saved, and its exit code tells that all went well.
void Tmain::handOver() {
    close();
    QCoreApplication::exit(0);
}
