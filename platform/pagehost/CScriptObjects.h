#pragma once

#include <QJSValue>
#include <QStringList>

class CBuiltinObjects;
class ScriptEngineFactory;

// Gives a script the page's Request, Response, Session and Server with
// JavaScript manners: collections are called to read (Request("k"),
// Request.Form("k"), Session("k")) and the session is written by property
// (Session.k = v, Session["k"] = v). The same for Application, with
// Application.Lock() and UnLock().
class CScriptObjects
{
public:
    // Returns the function to call when the page ends: from then on the
    // objects refuse every use.
    static QJSValue Expose(ScriptEngineFactory& engine, CBuiltinObjects& objects);
    // The global names Expose sets.
    static QStringList Names();
};
