// The control's settings in the host's property bag: the members with a bag key in the member
// table (control_members.h), each under its name, read and written in the table's bag order with
// the table's default. A key's value equal to its default is not stored.
//
// Every operation stops at its first failure; what it did before stays done.
#pragma once

#include "core/calendar.h"
#include "platform/site.h"

namespace dnovar {

// A new instance: default settings and the instance's name as caption; no start-up, no drawing.
void initialise_new(Calendar& calendar);
// A stored instance: every key, then the start-up sequence.
void load_properties(Calendar& calendar, PropertyBag& bag);
// Writes every key; values equal to their defaults are not stored. Changes nothing.
void save_properties(Calendar& calendar, PropertyBag& bag);

}  // namespace dnovar
