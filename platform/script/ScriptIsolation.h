#pragma once

#include <QJSValue>
#include <QStringList>

class QJSEngine;

// Keeps what one script leaves in an engine from the next script that runs
// in it, at far less than a new engine costs (a new engine takes about a
// millisecond, twenty times a small page).
//
// Harden, once on a new engine, freezes every built-in object and function
// reachable from the global object, including prototypes no global names
// (generators, iterators, typed arrays): a script cannot add to Math or
// Object.prototype, so nothing it stores there can reach the next one.
// Writes to a frozen built-in are ignored as JavaScript ignores them (a
// TypeError in strict code). The members scripts commonly give their own
// objects (toString, valueOf, constructor, an error's message and name...)
// stay assignable on those objects, but not on the built-in itself.
//
// It returns the reset function: called after each script, it puts the
// global object back as it was when hardened (properties added since are
// deleted, or set to undefined where "var" made them undeletable; replaced
// ones get their first value) and clears the engine's last-match state of
// regular expressions (RegExp.$1). It returns false when the global object
// cannot be put back (a property made read-only and undeletable, the global
// object frozen or given another prototype): the engine must then go.
//
// The names a host sets before every script (reserved) are made global
// properties once, here, and afterwards only assigned: the reset gives them
// back undefined and never deletes them. Properties the script added are
// deleted last added first. Both because this engine's property tables go
// wrong when members other than the last one are deleted again and again
// (after some dozens of rounds a name reads another's value, or nothing),
// and code compiled once keeps looking the same names up.
class ScriptIsolation
{
public:
    static QJSValue Harden(QJSEngine& engine, const QStringList& reserved = {});
};
