#pragma once

class CBuiltinObjects;
class ScriptEngineFactory;

// Gives a script the page's Request, Response, Session and Server with
// JavaScript manners: collections are called to read (Request("k"),
// Request.Form("k"), Session("k")) and the session is written by property
// (Session.k = v, Session["k"] = v).
class CScriptObjects
{
public:
    static void Expose(ScriptEngineFactory& engine, CBuiltinObjects& objects);
};
