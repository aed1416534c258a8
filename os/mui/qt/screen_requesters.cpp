#include "os/mui/qt/screen_requesters.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QUrl>
#include <string>
#include <vector>

#include "os/asl/asl.h"
#include "os/dos/dos.h"
#include "os/dos/host_paths.h"
#include "os/mui/driver/ui_script_runner.h"
#include "os/mui/driver/user_driver.h"
#include "os/mui/qt/qt_text.h"

namespace mui::qt {
namespace {

bool askChoice(const RequesterRecord& shown, RequesterAnswer* answer) {
  QMessageBox box(QMessageBox::NoIcon, toQt(shown.title), toQt(shown.body), QMessageBox::NoButton);
  std::vector<QAbstractButton*> buttons;
  for (const std::string& label : shown.buttons) {
    QString text = toQt(label);
    text.remove('_');
    buttons.push_back(box.addButton(text, QMessageBox::AcceptRole));
  }
  // The close gadget and Escape answer as the last button does: 0.
  if (!buttons.empty()) box.setEscapeButton(buttons.back());
  box.exec();
  answer->kind = RequesterAnswer::Kind::Button;
  answer->button = 0;  // the close gadget
  for (size_t i = 0; i < buttons.size(); ++i)
    if (box.clickedButton() == buttons[i]) answer->button = i + 1 == buttons.size() ? 0 : static_cast<int32_t>(i + 1);
  return true;
}

// Hides icon files (".info") from the dialog's listing.
class NoIconFiles : public QSortFilterProxyModel {
 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    const QString name = sourceModel()->index(row, 0, parent).data().toString();
    return !name.endsWith(".info", Qt::CaseInsensitive);
  }
};

// Where the requester starts: its drawer, or with none (or one that is not
// there) the current drawer, as the requester on the system itself does.
QString hostDrawer(const std::string& amigaDrawer) {
  std::string host;
  if (HostPathOfAmigaPath(amigaDrawer.c_str(), false, host) && QFileInfo(toQt(host)).isDir()) return toQt(host);
  if (HostPathOfAmigaPath("", false, host)) return toQt(host);
  return QDir::homePath();
}

// The volumes and assigns as the dialog's places, each under its own name
// ("Games:"), so a person finds them as on the system itself.
class VolumePlaces : public QObject {
 public:
  explicit VolumePlaces(QFileDialog* dialog) : QObject(dialog) {
    QList<QUrl> urls;
    for (const HostVolume& v : HostVolumes()) {
      const QString folder = toQt(v.folder);
      const QUrl url = QUrl::fromLocalFile(folder);
      if (!QFileInfo(folder).isDir() || names_.contains(url)) continue;
      urls.push_back(url);
      names_.insert(url, toQt(v.name) + ":");
    }
    dialog->setSidebarUrls(urls);
    sidebar_ = dialog->findChild<QAbstractItemView*>("sidebar");
    if (!sidebar_ || !sidebar_->model()) return;
    rename();
    // The dialog names its places after their folders again whenever a folder changes.
    connect(sidebar_->model(), &QAbstractItemModel::dataChanged, this, [this] { rename(); });
    dialog->installEventFilter(this);
  }

 protected:
  // Once shown, the places are as wide as their names.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show) return false;
    auto* splitter = watched->findChild<QSplitter*>("splitter");
    if (!splitter || splitter->count() != 2 || splitter->widget(0) != sidebar_) return false;
    const int wide = sidebar_->sizeHintForColumn(0) + 2 * sidebar_->frameWidth() + PLACES_MARGIN;
    const QList<int> sizes = splitter->sizes();
    if (sizes.value(0) < wide) splitter->setSizes({wide, std::max(1, sizes.value(0) + sizes.value(1) - wide)});
    return false;
  }

 private:
  QMap<QUrl, QString> names_;
  QAbstractItemView* sidebar_ = nullptr;
  bool renaming_ = false;
  void rename() {
    if (renaming_) return;
    renaming_ = true;
    QAbstractItemModel* places = sidebar_->model();
    for (int row = 0; row < places->rowCount(); ++row) {
      const QModelIndex place = places->index(row, 0);
      const QString name = names_.value(place.data(PLACE_URL_ROLE).toUrl());
      if (!name.isEmpty() && place.data().toString() != name) places->setData(place, name, Qt::DisplayRole);
    }
    renaming_ = false;
  }
  // Where the dialog's places keep their address.
  static constexpr int PLACE_URL_ROLE = Qt::UserRole + 1;
  // Room beside the places' names (their icons are in the names' size hint).
  static constexpr int PLACES_MARGIN = 8;
};

// The file dialog of an open requester: besides files, OK with no name
// given chooses the drawer selected in the listing, else the drawer shown,
// and OK on a drawer named chooses that drawer (a double-click still opens
// it), as the requester on the system itself answers a drawer with no file.
class RequesterDialog : public QFileDialog {
 public:
  RequesterDialog(const QString& title, const QString& drawer, bool drawerAnswers)
      : QFileDialog(nullptr, title, drawer), drawerAnswers_(drawerAnswers) {
    setOption(QFileDialog::DontUseNativeDialog);
  }
  // The drawer chosen, when the answer is a drawer alone (empty: files were chosen).
  const QString& chosenDrawer() const { return drawer_; }

  void accept() override {
    if (drawerAnswers_) {
      auto* name = findChild<QLineEdit*>("fileNameEdit");
      if (name && name->text().trimmed().isEmpty()) {
        const QString selected = selectedDrawer();
        return takeDrawer(selected.isEmpty() ? directory().absolutePath() : selected);
      }
      const QStringList chosen = selectedFiles();
      if (chosen.size() == 1 && QFileInfo(chosen.front()).isDir()) return takeDrawer(chosen.front());
    }
    QFileDialog::accept();
  }

 protected:
  void showEvent(QShowEvent* event) override {
    QFileDialog::showEvent(event);
    // The dialog ghosts Open while no file is named: here that is the
    // drawer's answer. (Its buttons are made anew with each accept mode,
    // so the one shown is taken now.)
    auto* buttons = findChild<QDialogButtonBox*>("buttonBox");
    QPushButton* open = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
    if (!drawerAnswers_ || !open || open == open_) return;
    open_ = open;
    open_->installEventFilter(this);
    open_->setEnabled(true);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == open_ && event->type() == QEvent::EnabledChange && !open_->isEnabled()) open_->setEnabled(true);
    return QFileDialog::eventFilter(watched, event);
  }

 private:
  bool drawerAnswers_;
  QPushButton* open_ = nullptr;
  QString drawer_;
  // The one drawer selected in the listing (empty: none); the dialog gives
  // a drawer's name no place in its name field.
  QString selectedDrawer() const {
    auto* listing = findChild<QAbstractItemView*>("listView");
    if (!listing || !listing->selectionModel()) return {};
    const QModelIndexList rows = listing->selectionModel()->selectedRows();
    if (rows.size() != 1) return {};
    const QString path = rows.front().data(QFileSystemModel::FilePathRole).toString();
    return QFileInfo(path).isDir() ? path : QString();
  }
  void takeDrawer(const QString& drawer) {
    drawer_ = drawer;
    QDialog::accept();
  }
};

bool askFile(const RequesterRecord& shown, RequesterAnswer* answer) {
  const bool drawersOnly = (shown.flags2 & FRF_DRAWERSONLY) != 0;
  const bool save = (shown.flags1 & FRF_DOSAVEMODE) != 0;
  const bool several = (shown.flags1 & FRF_DOMULTISELECT) != 0;
  RequesterDialog dialog(toQt(shown.title), hostDrawer(shown.initialDrawer), !drawersOnly && !save);
  new VolumePlaces(&dialog);
  if (drawersOnly) {
    // Only drawers listed, not files shown greyed.
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
  } else if (save) {
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  }
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (!shown.initialFile.empty()) dialog.selectFile(toQt(shown.initialFile));
  if (shown.hasInitialPattern && !drawersOnly) dialog.setNameFilter(toQt(hostPatternOf(shown.initialPattern)));
  if (shown.flags2 & FRF_REJECTICONS) dialog.setProxyModel(new NoIconFiles);
  answer->kind = RequesterAnswer::Kind::Cancel;
  if (dialog.exec() != QDialog::Accepted) return true;
  if (!dialog.chosenDrawer().isEmpty()) {
    answer->kind = RequesterAnswer::Kind::Choose;
    answer->drawer = amigaPathOf(fromQt(dialog.chosenDrawer()));
    return true;
  }
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return true;
  answer->kind = RequesterAnswer::Kind::Choose;
  if (drawersOnly) {
    answer->drawer = amigaPathOf(fromQt(chosen.front()));
    return true;
  }
  for (const QString& path : chosen) {
    const std::string amiga = amigaPathOf(fromQt(path));
    const char* name = FilePart(amiga.c_str());
    answer->drawer = std::string(amiga.c_str(), PathPart(amiga.c_str()) - amiga.c_str());
    answer->files.emplace_back(name);
  }
  return true;
}

bool askText(const RequesterRecord& shown, RequesterAnswer* answer) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(nullptr, toQt(shown.title), QString(), QLineEdit::Normal, toQt(shown.initialText), &ok);
  answer->kind = ok ? RequesterAnswer::Kind::Text : RequesterAnswer::Kind::Cancel;
  answer->text = fromQt(text);
  return true;
}

}  // namespace

std::string hostPatternOf(const std::string& amigaPattern) {
  // At most one group of alternatives: head(one|two)tail.
  std::string head, tail;
  std::vector<std::string> alternatives;
  enum { HEAD, GROUP, TAIL } at = HEAD;
  for (size_t i = 0; i < amigaPattern.size(); ++i) {
    const char c = amigaPattern[i];
    std::string piece(1, c);
    if (c == '#' && i + 1 < amigaPattern.size() && amigaPattern[i + 1] == '?') {
      piece = "*";
      ++i;
    } else if (c == '(' && at == HEAD) {
      at = GROUP;
      alternatives.emplace_back();
      continue;
    } else if (c == '|' && at == GROUP) {
      alternatives.emplace_back();
      continue;
    } else if (c == ')' && at == GROUP) {
      at = TAIL;
      continue;
    } else if (std::string("~[]%#'()| ").find(c) != std::string::npos) {
      return "*";
    }
    (at == HEAD ? head : at == GROUP ? alternatives.back() : tail) += piece;
  }
  if (at == GROUP) return "*";
  if (alternatives.empty()) return head.empty() ? "*" : head;
  std::string out;
  for (const std::string& one : alternatives) out += (out.empty() ? "" : " ") + head + one + tail;
  return out;
}

bool askOnScreen(const RequesterRecord& shown, RequesterAnswer* answer) {
  if (uiScriptRunning()) return false;
  switch (shown.kind) {
    case RequesterRecord::Kind::Choice: return askChoice(shown, answer);
    case RequesterRecord::Kind::File: return askFile(shown, answer);
    case RequesterRecord::Kind::Text: return askText(shown, answer);
  }
  return false;
}

}  // namespace mui::qt
