#include "os/mui/qt/screen_requesters.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSortFilterProxyModel>
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

QString hostDrawer(const std::string& amigaDrawer) {
  std::string host;
  if (!amigaDrawer.empty() && HostPathOfAmigaPath(amigaDrawer.c_str(), false, host)) return toQt(host);
  return QDir::homePath();
}

bool askFile(const RequesterRecord& shown, RequesterAnswer* answer) {
  QFileDialog dialog(nullptr, toQt(shown.title), hostDrawer(shown.initialDrawer));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  const bool drawersOnly = (shown.flags2 & FRF_DRAWERSONLY) != 0;
  const bool save = (shown.flags1 & FRF_DOSAVEMODE) != 0;
  const bool several = (shown.flags1 & FRF_DOMULTISELECT) != 0;
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
