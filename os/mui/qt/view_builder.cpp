#include "os/mui/qt/view_builder.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "os/mui/classes/popstring.h"
#include "os/mui/lists/nlist.h"
#include "os/mui/mui_class.h"
#include "os/mui/object.h"
#include "os/mui/qt/control_views.h"
#include "os/mui/qt/group_layouts.h"
#include "os/mui/qt/growth.h"
#include "os/mui/qt/list_view.h"
#include "os/mui/qt/qt_text.h"

namespace mui::qt {
namespace {

bool isA(const Object* o, const MuiClass& c) { return o->muiClass->isA(&c); }

class GroupView : public ObjectView {
 public:
  GroupView(Object* o, QWidget* widget, QStackedWidget* pages) : ObjectView(o, widget), pages_(pages) {}

 protected:
  void refreshOwn() override {
    if (pages_) pages_->setCurrentIndex(static_cast<int>(object()->value(MUIA_Group_ActivePage)));
  }

 private:
  QStackedWidget* pages_;
};

QWidget* build(Object* o, BuiltTree& out);

// Sizes the object asks for: fixed width or height.
void applyFixedSize(const Object* o, QWidget* w) {
  if (!isA(o, areaClass)) return;
  if (o->value(MUIA_FixWidth) > 0) w->setFixedWidth(static_cast<int>(o->value(MUIA_FixWidth)));
  if (o->value(MUIA_FixHeight) > 0) w->setFixedHeight(static_cast<int>(o->value(MUIA_FixHeight)));
}

// A label takes no more room than its text, as MUI's own labels (of weight 0) do.
int weightOf(const Object* o) {
  if (!isA(o, areaClass)) return 100;
  if (isLabel(o)) return 0;
  return static_cast<int>(o->value(MUIA_Weight));
}

QSizePolicy::Policy policyFor(bool grows) { return grows ? QSizePolicy::Preferred : QSizePolicy::Maximum; }

// The widget may take extra room only where the object grows: elsewhere it
// keeps the size it asks for (its natural height, a least-space width).
// A label fills its cell, so that its text stays against its object.
void applyGrowth(const Object* o, QWidget* w) {
  const Growth g = growthOf(o);
  w->setSizePolicy(policyFor(g.wide || isLabel(o)), policyFor(g.tall));
}

// A grid's columns and rows take extra room where a member grows; members
// that do not grow keep to the left of their cell, labels fill theirs.
void addToGrid(QGridLayout* grid, Object* child, QWidget* w, int index, int columns) {
  const int row = index / columns, column = index % columns;
  const Growth g = growthOf(child);
  if (g.wide) grid->setColumnStretch(column, 1);
  if (g.tall) grid->setRowStretch(row, 1);
  if (g.wide || isLabel(child))
    grid->addWidget(w, row, column);
  else
    grid->addWidget(w, row, column, Qt::AlignLeft | Qt::AlignVCenter);
}

// Members of a same-size group reach the size of the largest along it,
// even those that would otherwise keep their own size.
void letReachSameSize(QWidget* w, bool horizontal) {
  QSizePolicy policy = w->sizePolicy();
  if (horizontal)
    policy.setHorizontalPolicy(QSizePolicy::Preferred);
  else
    policy.setVerticalPolicy(QSizePolicy::Preferred);
  w->setSizePolicy(policy);
}

QWidget* scrolled(QWidget* inside) {
  auto* area = new QScrollArea;
  area->setWidgetResizable(true);
  area->setWidget(inside);
  return area;
}

QWidget* buildGroup(Object* o, BuiltTree& out) {
  const char* title = reinterpret_cast<const char*>(o->value(MUIA_FrameTitle));
  const bool framed = title || o->value(MUIA_Frame) == MUIV_Frame_Group;
  QWidget* box = framed ? new QGroupBox(shownQt(title)) : new QWidget;
  QStackedWidget* pages = nullptr;
  if (o->flag(MUIA_Group_PageMode)) {
    pages = new QStackedWidget;
    auto* holder = new QVBoxLayout(box);
    if (!framed) holder->setContentsMargins(0, 0, 0, 0);
    holder->addWidget(pages);
  }
  auto view = std::make_unique<GroupView>(o, box, pages);
  out.views.push_back(std::move(view));
  const int columns = static_cast<int>(o->value(MUIA_Group_Columns));
  const bool sameSize = o->flag(MUIA_Group_SameSize);
  QGridLayout* grid = nullptr;
  SameSizeGridLayout* sameSizeGrid = nullptr;
  WeightedBoxLayout* row = nullptr;
  if (!pages) {
    if (columns > 1 && sameSize)
      grid = sameSizeGrid = new SameSizeGridLayout(columns, box);
    else if (columns > 1)
      grid = new QGridLayout(box);
    else
      row = new WeightedBoxLayout(o->flag(MUIA_Group_Horiz), sameSize, box);
    QLayout* layout = grid ? static_cast<QLayout*>(grid) : static_cast<QLayout*>(row);
    if (!framed) layout->setContentsMargins(0, 0, 0, 0);
  }
  int index = 0;
  for (Object* child : o->children) {
    QWidget* w = build(child, out);
    if (pages) {
      pages->addWidget(w);
    } else if (sameSizeGrid) {
      letReachSameSize(w, true);
      sameSizeGrid->addMember(w, index);
    } else if (grid) {
      addToGrid(grid, child, w, index, columns);
    } else {
      if (sameSize) letReachSameSize(w, o->flag(MUIA_Group_Horiz));
      row->addMember(w, weightOf(child));
    }
    ++index;
  }
  return box;
}

QWidget* buildPopup(Object* o, BuiltTree& out) {
  auto* popup = static_cast<Popstring*>(o);
  auto* box = new QWidget;
  out.views.push_back(std::make_unique<GroupView>(o, box, nullptr));
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  Object* string = popup->stringObject();
  Object* button = reinterpret_cast<Object*>(o->value(MUIA_Popstring_Button));
  for (Object* child : o->children) {
    if (child == button) {
      auto view = makePopButtonView(child, o);
      out.widgets[child] = view->widget();
      row->addWidget(view->widget());
      out.views.push_back(std::move(view));
    } else {
      row->addWidget(build(child, out), child == string ? 1 : 0);
    }
  }
  return box;
}

QWidget* build(Object* o, BuiltTree& out) {
  QWidget* w = nullptr;
  if (auto* list = dynamic_cast<NList*>(o)) {
    auto view = makeListView(list);
    w = view->widget();
    out.views.push_back(std::move(view));
  } else if (auto view = makeControlView(o)) {
    w = view->widget();
    out.views.push_back(std::move(view));
  } else if (isA(o, popstringClass)) {
    w = buildPopup(o, out);
  } else if (isA(o, scrollgroupClass)) {
    // The scroll group's contents is a virtual group: one scroll area for both.
    auto* box = new QWidget;
    out.views.push_back(std::make_unique<GroupView>(o, box, nullptr));
    auto* holder = new QVBoxLayout(box);
    holder->setContentsMargins(0, 0, 0, 0);
    for (Object* child : o->children) {
      QWidget* inside = isA(child, virtgroupClass) ? buildGroup(child, out) : build(child, out);
      if (isA(child, virtgroupClass)) out.widgets[child] = inside;
      holder->addWidget(scrolled(inside));
    }
    w = box;
  } else if (isA(o, virtgroupClass)) {
    w = scrolled(buildGroup(o, out));
  } else if (isA(o, groupClass)) {
    w = buildGroup(o, out);
  } else {
    w = new QWidget;
    out.views.push_back(std::make_unique<ObjectView>(o, w));
  }
  applyGrowth(o, w);
  applyFixedSize(o, w);
  out.widgets[o] = w;
  return w;
}

void collectShape(const Object* o, std::vector<uint32_t>& out) {
  out.push_back(o->serial);
  for (const Object* child : o->children) collectShape(child, out);
  out.push_back(0);
}

}  // namespace

QWidget* buildViews(Object* top, BuiltTree& out) { return build(top, out); }

std::vector<uint32_t> treeShape(const Object* top) {
  std::vector<uint32_t> shape;
  if (top) collectShape(top, shape);
  return shape;
}

}  // namespace mui::qt
