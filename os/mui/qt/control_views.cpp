#include "os/mui/qt/control_views.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <string>

#include "os/dos/host_paths.h"
#include "os/graphics/graphics.h"
#include "os/mui/classes/rectangle.h"
#include "os/mui/classes/text.h"
#include "os/mui/driver/user_actions.h"
#include "os/mui/driver/user_driver.h"
#include "os/mui/mui_class.h"
#include "os/mui/object.h"
#include "os/mui/qt/gesture.h"
#include "os/mui/qt/growth.h"
#include "os/mui/qt/line_label.h"
#include "os/mui/qt/qt_text.h"
#include "os/mui/qt/text_style.h"

namespace mui::qt {
namespace {

bool isA(const Object* o, const MuiClass& c) { return o->muiClass->isA(&c); }
IPTR inputMode(const Object* o) { return o->value(MUIA_InputMode); }

// What a Text object shows: its pre-parse codes, then its contents.
std::string textOf(const Object* o) {
  const char* pre = o->text(MUIA_Text_PreParse);
  return std::string(pre ? pre : "") + o->text(MUIA_Text_Contents);
}

// Shows a text's style on its widget: the font's weight, slant and
// underline, and its pen as the colour of `role`.
void showStyle(QWidget* w, const TextStyle& style, QPalette::ColorRole role) {
  QFont font = w->font();
  font.setBold(style.bold);
  font.setItalic(style.italic);
  font.setUnderline(style.underline);
  if (font != w->font()) w->setFont(font);
  const QColor pen = penColour(style.pen, QApplication::palette());
  if (!pen.isValid()) {
    // The usual colours, also those of a ghosted widget.
    if (w->testAttribute(Qt::WA_SetPalette)) w->setPalette(QPalette());
    return;
  }
  QPalette palette = w->palette();
  palette.setColor(QPalette::Active, role, pen);
  palette.setColor(QPalette::Inactive, role, pen);
  if (palette != w->palette()) w->setPalette(palette);
}

class TextView : public ObjectView {
 public:
  explicit TextView(Object* o)
      : ObjectView(o, new LineLabel(growthOf(o).wide && !isLabel(o))), label_(static_cast<QLabel*>(widget())) {
    label_->setTextFormat(Qt::PlainText);
    if (o->value(MUIA_Frame) == MUIV_Frame_Text) label_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  }

 protected:
  void refreshOwn() override {
    const std::string text = textOf(object());
    const QString shown = shownQt(text.c_str());
    if (label_->text() != shown) label_->setText(shown);
    label_->setAlignment(alignmentOf(text.c_str()));
    showStyle(label_, styleOf(text.c_str()), QPalette::WindowText);
  }

 private:
  QLabel* label_;
};

class FloattextView : public ObjectView {
 public:
  explicit FloattextView(Object* o) : ObjectView(o, new QLabel), label_(static_cast<QLabel*>(widget())) {
    label_->setTextFormat(Qt::PlainText);
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  }

 protected:
  void refreshOwn() override {
    const QString shown = shownQt(object()->text(MUIA_Floattext_Text));
    if (label_->text() != shown) label_->setText(shown);
  }

 private:
  QLabel* label_;
};

// A button's caption: its own text, or the texts of the objects inside it.
std::string captionOf(const Object* o) {
  if (isA(o, textClass)) return shownText(textOf(o).c_str());
  std::string joined;
  for (const Object* child : o->children) {
    const std::string part = captionOf(child);
    if (!part.empty()) joined += (joined.empty() ? "" : " ") + part;
  }
  return joined;
}

// The style the codes of a button's caption ask for: those of the first
// text inside it that shows something (a key button's bold label).
TextStyle captionStyleOf(const Object* o) {
  if (isA(o, textClass)) return styleOf(textOf(o).c_str());
  for (const Object* child : o->children)
    if (!captionOf(child).empty()) return captionStyleOf(child);
  return {};
}

// The picture of a button: the first picture object inside it (NIL: none).
const Object* pictureIn(const Object* o) {
  if (isA(o, dtpicClass)) return o;
  for (const Object* child : o->children)
    if (const Object* found = pictureIn(child)) return found;
  return nullptr;
}

// The picture file a picture object names, loaded (null when there is none).
QPixmap loadedPicture(const std::string& amigaName) {
  std::string host;
  QPixmap picture;
  if (!amigaName.empty() && HostPathOfAmigaPath(amigaName.c_str(), false, host)) picture.load(toQt(host));
  return picture;
}

std::string pictureName(const Object* picture) {
  const char* name = picture ? picture->text(MUIA_Dtpic_Name) : nullptr;
  return name ? name : "";
}

// What the person clicks: a text, an image or a group in release-verify input
// mode; a picture inside it is the button's icon.
class ButtonView : public ObjectView {
 public:
  explicit ButtonView(Object* o) : ObjectView(o, new QPushButton), button_(static_cast<QPushButton*>(widget())) {
    QObject::connect(button_, &QPushButton::clicked, [o] {
      queueGesture("press", o, [](Object* target) { act::press(target); });
    });
  }

 protected:
  void refreshOwn() override {
    const QString shown = toQt(captionOf(object()));
    if (button_->text() != shown) button_->setText(shown);
    showStyle(button_, captionStyleOf(object()), QPalette::ButtonText);
    const std::string picture = pictureName(pictureIn(object()));
    if (picture == shownPicture_) return;
    shownPicture_ = picture;
    const QPixmap icon = loadedPicture(picture);
    button_->setIcon(QIcon(icon));
    if (!icon.isNull()) button_->setIconSize(icon.size());
  }

 private:
  QPushButton* button_;
  std::string shownPicture_;
};

class PopButtonView : public ObjectView {
 public:
  PopButtonView(Object* button, Object* popup) : ObjectView(button, new QToolButton) {
    auto* tool = static_cast<QToolButton*>(widget());
    tool->setText(button->value(MUIA_Image_Spec) == MUII_PopDrawer ? "\u2026/" : "\u2026");
    QObject::connect(tool, &QToolButton::clicked, [popup] {
      queueGesture("open pop-up", popup, [](Object* target) { act::openPopup(target); });
    });
  }
};

class TickView : public ObjectView {
 public:
  explicit TickView(Object* o) : ObjectView(o, new QCheckBox), box_(static_cast<QCheckBox*>(widget())) {
    QObject::connect(box_, &QCheckBox::clicked, [this, o] {
      // The box shows the object's state, not its own guess, until the click is performed.
      box_->setChecked(o->flag(MUIA_Selected));
      queueGesture("toggle", o, [](Object* target) { act::toggle(target); });
    });
  }

 protected:
  void refreshOwn() override { box_->setChecked(object()->flag(MUIA_Selected)); }

 private:
  QCheckBox* box_;
};

std::vector<QString> entriesOf(const Object* o, Tag tag) {
  std::vector<QString> entries;
  const auto* texts = reinterpret_cast<const char* const*>(o->value(tag));
  for (size_t i = 0; texts && texts[i]; ++i) entries.push_back(shownQt(texts[i]));
  return entries;
}

void chooseGesture(Object* o, IPTR entry) {
  queueGesture("choose", o, [entry](Object* target) { act::choose(target, entry); });
}

class CycleView : public ObjectView {
 public:
  explicit CycleView(Object* o) : ObjectView(o, new QComboBox), box_(static_cast<QComboBox*>(widget())) {
    for (const QString& entry : entriesOf(o, MUIA_Cycle_Entries)) box_->addItem(entry);
    QObject::connect(box_, &QComboBox::activated, [this, o](int index) {
      box_->setCurrentIndex(static_cast<int>(o->value(MUIA_Cycle_Active)));
      chooseGesture(o, static_cast<IPTR>(index));
    });
  }

 protected:
  void refreshOwn() override { box_->setCurrentIndex(static_cast<int>(object()->value(MUIA_Cycle_Active))); }

 private:
  QComboBox* box_;
};

class RadioView : public ObjectView {
 public:
  explicit RadioView(Object* o) : ObjectView(o, new QWidget), group_(new QButtonGroup(widget())) {
    auto* column = new QVBoxLayout(widget());
    column->setContentsMargins(0, 0, 0, 0);
    int id = 0;
    for (const QString& entry : entriesOf(o, MUIA_Radio_Entries)) {
      auto* button = new QRadioButton(entry);
      button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
      column->addWidget(button);
      group_->addButton(button, id++);
    }
    QObject::connect(group_, &QButtonGroup::idClicked, [this, o](int index) {
      refreshOwn();
      chooseGesture(o, static_cast<IPTR>(index));
    });
  }

 protected:
  void refreshOwn() override {
    if (QAbstractButton* b = group_->button(static_cast<int>(object()->value(MUIA_Radio_Active)))) b->setChecked(true);
  }

 private:
  QButtonGroup* group_;
};

class SliderView : public ObjectView {
 public:
  explicit SliderView(Object* o) : ObjectView(o, new QSlider(Qt::Horizontal)), slider_(static_cast<QSlider*>(widget())) {
    QObject::connect(slider_, &QSlider::valueChanged, [this, o](int value) {
      if (!refreshing()) chooseGesture(o, static_cast<IPTR>(value));
    });
  }

 protected:
  void refreshOwn() override {
    slider_->setRange(static_cast<int>(object()->value(MUIA_Numeric_Min)),
                      static_cast<int>(object()->value(MUIA_Numeric_Max)));
    slider_->setValue(static_cast<int>(object()->value(MUIA_Numeric_Value)));
  }

 private:
  QSlider* slider_;
};

// Characters a string accepts, as a validator's pattern.
QString acceptPattern(const char* accept) {
  return "[" + QRegularExpression::escape(toQt(accept)) + "]*";
}

class StringView : public ObjectView {
 public:
  explicit StringView(Object* o) : ObjectView(o, new QLineEdit), edit_(static_cast<QLineEdit*>(widget())) {
    edit_->setMaxLength(std::max(0, static_cast<int>(o->value(MUIA_String_MaxLen)) - 1));
    if (const char* accept = o->text(MUIA_String_Accept))
      edit_->setValidator(new QRegularExpressionValidator(QRegularExpression(acceptPattern(accept)), edit_));
    QObject::connect(edit_, &QLineEdit::textEdited, [o](const QString& text) { editGesture(o, fromQt(text), false); });
    QObject::connect(edit_, &QLineEdit::returnPressed, [this, o] { editGesture(o, fromQt(edit_->text()), true); });
  }

 protected:
  void refreshOwn() override {
    const QString contents = toQt(object()->text(MUIA_String_Contents));
    if (edit_->text() != contents) edit_->setText(contents);
  }

 private:
  QLineEdit* edit_;
  // Each keystroke changes the text once, in place, as it does on screen.
  static void editGesture(Object* o, std::string text, bool enter) {
    queueGesture(enter ? "Return" : "edit field", o,
                 [text, enter](Object* target) { act::editField(target, text.c_str(), enter); });
  }
};

class EditorView : public ObjectView {
 public:
  explicit EditorView(Object* o) : ObjectView(o, new QPlainTextEdit), edit_(static_cast<QPlainTextEdit*>(widget())) {
    if (o->flag(MUIA_TextEditor_FixedFont)) edit_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QObject::connect(edit_, &QPlainTextEdit::textChanged, [this, o] {
      if (refreshing()) return;
      const std::string text = fromQt(edit_->toPlainText());
      queueGesture("edit", o, [text](Object* target) { act::editText(target, text.c_str()); });
    });
  }

 protected:
  void refreshOwn() override {
    auto* side = dynamic_cast<TextUserActions*>(object());
    const QString text = side ? toQt(side->userText()) : QString();
    if (edit_->toPlainText() != text) edit_->setPlainText(text);
  }

 private:
  QPlainTextEdit* edit_;
};

class BarView : public ObjectView {
 public:
  explicit BarView(Object* o) : ObjectView(o, new QWidget) {
    const bool vertical = o->flag(MUIA_Rectangle_VBar);
    auto* line = new QFrame;
    line->setFrameShape(vertical ? QFrame::VLine : QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    QBoxLayout* row = vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(widget()))
                               : static_cast<QBoxLayout*>(new QHBoxLayout(widget()));
    row->setContentsMargins(0, 0, 0, 0);
    if (const char* title = reinterpret_cast<const char*>(o->value(MUIA_Rectangle_BarTitle))) {
      auto* left = new QFrame;
      left->setFrameShape(line->frameShape());
      left->setFrameShadow(QFrame::Sunken);
      row->addWidget(left, 1);
      row->addWidget(new QLabel(shownQt(title)));
    }
    row->addWidget(line, 1);
  }
};

class SpaceView : public ObjectView {
 public:
  explicit SpaceView(Object* o) : ObjectView(o, new QWidget) {
    const auto* space = static_cast<const Rectangle*>(o);
    const int size = static_cast<int>(space->spaceSize);
    if (space->space == 'H' && size > 0) widget()->setFixedWidth(size);
    if (space->space == 'V' && size > 0) widget()->setFixedHeight(size);
    widget()->setSizePolicy(space->space == 'V' ? QSizePolicy::Preferred : QSizePolicy::Expanding,
                            space->space == 'H' ? QSizePolicy::Preferred : QSizePolicy::Expanding);
  }
};

// A bitmap's pixels as an image: pens through the display's pen colours,
// deeper bitmaps as their own colours.
QImage imageOf(const BitMap* bm) {
  if (!bm || !bm->Pixels || bm->Width < 1 || bm->Height < 1) return {};
  QImage image(bm->Width, bm->Height, QImage::Format_ARGB32);
  for (int32_t y = 0; y < bm->Height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const uint32_t* pixels = bm->Pixels + static_cast<size_t>(y) * static_cast<size_t>(bm->Width);
    for (int32_t x = 0; x < bm->Width; ++x)
      line[x] = bm->Depth <= 8 ? PenARGB(pixels[x]) : (bm->Depth == 24 ? pixels[x] | 0xFF000000u : pixels[x]);
  }
  return image;
}

class PictureView : public ObjectView {
 public:
  explicit PictureView(Object* o) : ObjectView(o, new QLabel), label_(static_cast<QLabel*>(widget())) {
    label_->setAlignment(Qt::AlignCenter);
  }

 protected:
  void refreshOwn() override {
    if (isA(object(), bitmapClass)) {
      label_->setMinimumSize(static_cast<int>(object()->value(MUIA_Bitmap_Width)),
                             static_cast<int>(object()->value(MUIA_Bitmap_Height)));
      // The program draws into the bitmap and sets it again (or a new one):
      // redrawn at every refresh, which costs little for a picture area.
      label_->setPixmap(QPixmap::fromImage(imageOf(reinterpret_cast<const BitMap*>(object()->value(MUIA_Bitmap_Bitmap)))));
      return;
    }
    const std::string name = pictureName(object());
    if (name == shownName_) return;
    shownName_ = name;
    label_->setPixmap(loadedPicture(name));
  }

 private:
  QLabel* label_;
  std::string shownName_ = "\n";  // no name shown yet
};

class HiddenView : public ObjectView {
 public:
  explicit HiddenView(Object* o) : ObjectView(o, new QWidget) {}

 protected:
  void refreshOwn() override { widget()->setHidden(true); }
};

}  // namespace

std::unique_ptr<ObjectView> makePopButtonView(Object* button, Object* popup) {
  return std::make_unique<PopButtonView>(button, popup);
}

std::unique_ptr<ObjectView> makeControlView(Object* o) {
  const bool clicked = isA(o, areaClass) && inputMode(o) == MUIV_InputMode_RelVerify;
  if (clicked && !isA(o, imageClass) && !isA(o, popstringClass)) return std::make_unique<ButtonView>(o);
  if (isA(o, textClass)) return clicked ? std::unique_ptr<ObjectView>(new ButtonView(o)) : std::make_unique<TextView>(o);
  if (isA(o, floattextClass)) return std::make_unique<FloattextView>(o);
  if (isA(o, imageClass)) {
    if (inputMode(o) == MUIV_InputMode_Toggle) return std::make_unique<TickView>(o);
    if (clicked) return std::make_unique<ButtonView>(o);
    return std::make_unique<SpaceView>(o);
  }
  if (isA(o, stringClass)) return std::make_unique<StringView>(o);
  if (isA(o, cycleClass)) return std::make_unique<CycleView>(o);
  if (isA(o, radioClass)) return std::make_unique<RadioView>(o);
  if (isA(o, numericClass)) return std::make_unique<SliderView>(o);
  if (isA(o, texteditorClass)) return std::make_unique<EditorView>(o);
  if (isA(o, scrollbarClass)) return std::make_unique<HiddenView>(o);
  if (isA(o, dtpicClass) || isA(o, bitmapClass)) return std::make_unique<PictureView>(o);
  if (isA(o, rectangleClass)) {
    if (o->flag(MUIA_Rectangle_HBar) || o->flag(MUIA_Rectangle_VBar)) return std::make_unique<BarView>(o);
    return std::make_unique<SpaceView>(o);
  }
  return nullptr;
}

}  // namespace mui::qt
