// Numeric.mui and Slider.mui: a number between a minimum and a maximum; the
// value is kept within them.
#include <string>

#include "os/mui/classes/area.h"

namespace mui {
namespace {
constexpr AttrSpec numericAttrs[] = {
    {MUIA_Numeric_Min, "MUIA_Numeric_Min", ATTR_ISG, AttrKind::Number, 0},
    {MUIA_Numeric_Max, "MUIA_Numeric_Max", ATTR_ISG, AttrKind::Number, 100},
    {MUIA_Numeric_Value, "MUIA_Numeric_Value", ATTR_ISG, AttrKind::Number, 0},
};

class Numeric : public Area {
 protected:
  bool finishCreate() override {
    keepValueInRange();
    return true;
  }
  bool filterSet(Tag tag, IPTR& data) override {
    if (tag == MUIA_Numeric_Value) data = clamped(data);
    return true;
  }
  void afterSet(Tag tag, IPTR) override {
    if (tag == MUIA_Numeric_Min || tag == MUIA_Numeric_Max) keepValueInRange();
  }
  void describeState(Description& out) const override {
    out.prop(std::to_string(static_cast<long>(value(MUIA_Numeric_Min))) + ".." +
             std::to_string(static_cast<long>(value(MUIA_Numeric_Max))));
    out.show(std::to_string(static_cast<long>(value(MUIA_Numeric_Value))).c_str());
  }

 private:
  IPTR clamped(IPTR v) const {
    const IPTR min = value(MUIA_Numeric_Min), max = value(MUIA_Numeric_Max);
    return v > max ? max : v < min ? min : v;  // with min > max, min wins
  }
  void keepValueInRange() { store(*muiClass->findAttr(MUIA_Numeric_Value), clamped(value(MUIA_Numeric_Value))); }
};

Object* makeNumeric() { return new Numeric; }
}  // namespace

const MuiClass numericClass = makeClass("Numeric.mui", "Numeric", &areaClass, numericAttrs, NO_METHODS, makeNumeric);
const MuiClass sliderClass = makeClass("Slider.mui", "Slider", &numericClass, NO_ATTRS, NO_METHODS, makeNumeric);

}  // namespace mui
