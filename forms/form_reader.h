#pragma once
// The form reader: builds a root component's owned components from a form description and
// assigns their properties by name.
//
// Order: the root and every component read are put in the loading state; components are
// created by registered class name, owned by the root, named, bound to the root's published
// field of that name and given their parent; properties are assigned as they come (custom
// stream properties through the component's DefineProperties); references to other components
// are resolved once everything exists; the reading state is cleared and Loaded runs on every
// component in the order read, the root first.

#include <string>
#include <string_view>

class TComponent;

// Reads text into root (whose class must be the description's top class). Errors raise
// EReadError naming sourceName and the line; components created before the error stay owned by
// root and go with it.
void ReadComponentFromText(TComponent& root, std::string_view text, const std::wstring& sourceName);
