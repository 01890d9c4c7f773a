// The drag-and-drop service's rule language: patterns over a drag's properties and the
// placeholders of commands and descriptions.
#pragma once

#include <map>
#include <string>

// A drag's properties by key. A flag, or a key that came without a value, has an empty value.
using DragProperties = std::map<std::string, std::string>;

// A pattern is a list of blank-separated terms, all of which must hold:
//   {KEY}             the drag has the property
//   {KEY}=value       the property has that value
//   {KEY:=[A|B|C]}    the property has one of the listed values
//   !term             the term does not hold
// Values compare exactly. A pattern without terms, or with a term of any other form, holds for
// no drag: a rule the service cannot read never fires.
bool PatternHolds(const std::string& pattern, const DragProperties& properties);

// Replaces each {KEY} (letters, digits and '_' between the braces) with the property's value;
// values go in as they are and are not read again. Every other character stays, backslashes
// included. Returns false, with the first key the drag lacks in missing, when a placeholder
// names no property; out is then left as it was.
bool ExpandPlaceholders(const std::string& text, const DragProperties& properties, std::string& out,
                        std::string* missing = nullptr);
