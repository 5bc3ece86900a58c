// The control's settings in the host's property bag: eight keys, read and written in one order.
//
//   key          type     default
//   "Caption"    string   the extender's Name, fetched each time
//   "VyberColor" i4       0x0000FFFF (yellow)
//   "Datum"      date     1999-12-31 (36525)
//   "Dlow"       i2       0
//   "Dhigh"      i2       0
//   "Dplus"      i2       1
//   "Svatky"     bool     true
//   "Enabled"    bool     true
//
// Every operation stops at its first failure; what it did before stays done.
#pragma once

#include "core/calendar.h"
#include "platform/site.h"

namespace dnovar {

// A new instance: default settings and the instance's name as caption; no start-up, no drawing.
void initialise_new(Calendar& calendar);
// A stored instance: the eight keys, then the start-up sequence.
void load_properties(Calendar& calendar, PropertyBag& bag);
// Writes the eight keys; values equal to their defaults are not stored. Changes nothing.
void save_properties(Calendar& calendar, PropertyBag& bag);

}  // namespace dnovar
