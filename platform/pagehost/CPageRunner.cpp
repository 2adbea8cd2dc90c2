#include "platform/pagehost/CPageRunner.h"

#include "platform/pagehost/CPageScript.h"
#include "platform/pagehost/CScriptObjects.h"
#include "platform/pagehost/CSession.h"
#include "platform/pagehost/CTextFile.h"
#include "platform/pagehost/CVirtualFolders.h"
#include "platform/asp/CAspCallGuard.h"
#include "platform/asp/CAspRegionalSettings.h"

#include <QFileInfo>
#include <QJSEngine>

namespace {

const QString kGlobalAsa = QStringLiteral("global.asa");
// Deeper than any template's blocks; stops include chains that never end.
const int kMaxIncludeDepth = 16;

QString FormatError(const QString& message, const CSourceLine& source)
{
    if (source.line <= 0)
        return message;
    if (source.file.isEmpty())
        return QStringLiteral("Errore alla riga %1: %2").arg(source.line).arg(message);
    return QStringLiteral("Errore alla riga %1 di %2: %3").arg(source.line).arg(source.file, message);
}

const QLatin1String kIncludeDirective("#include virtual");

// The span of the include directive found at `at` in a line: the comment
// that wraps it, or up to the line's end when it is not wrapped.
std::pair<qsizetype, qsizetype> DirectiveSpan(const QString& line, qsizetype from, qsizetype at, qsizetype lineEnd)
{
    qsizetype start = line.lastIndexOf(QLatin1String("<!--"), at);
    if (start < from)
        start = from;
    qsizetype end = line.indexOf(QLatin1String("-->"), at);
    end = end < 0 || end >= lineEnd ? lineEnd : end + 3;
    return {start, end};
}

// A line's end ("\n", "\r\n" or nothing on the last line) begins here.
qsizetype LineEndAt(const QString& line)
{
    qsizetype end = line.size();
    while (end > 0 && (line.at(end - 1) == QLatin1Char('\n') || line.at(end - 1) == QLatin1Char('\r')))
        --end;
    return end;
}

// The site path of a file of the root folder, for error messages.
QString SitePath(const QString& relative)
{
    QString path = relative;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path;
}

} // namespace

CPageRunner::CPageRunner(const CVirtualFolders& folders, CSession& session, CGlobalAsaGate& globalAsa,
                         CApplication* application)
    : m_folders(folders), m_globalAsa(globalAsa)
{
    Connect(session, application);
}

void CPageRunner::Connect(CSession& session, CApplication* application)
{
    m_engine.ReserveGlobals(CScriptObjects::Names());
    m_server.SetVirtualFolders(&m_folders);
    m_server.SetBuiltinObjects(&m_builtins);
    m_server.SetTimeoutHandler([this](int seconds) { m_engine.SetTimeLimit(std::chrono::seconds(seconds)); });
    m_builtins.SetObjects(&m_request, &m_response, &m_server, &session);
    m_builtins.SetApplication(application ? application : &m_ownApplication);
}

CPageRunner::CPageRunner(const CVirtualFolders& folders, CSession& session, std::atomic<bool>& globalAsaPending)
    : CPageRunner(folders, session, std::make_unique<CGlobalAsaGate>(globalAsaPending.exchange(false)))
{
}

CPageRunner::CPageRunner(const CVirtualFolders& folders, CSession& session, std::unique_ptr<CGlobalAsaGate> ownGate)
    : m_folders(folders), m_ownGate(std::move(ownGate)), m_globalAsa(*m_ownGate)
{
    Connect(session, nullptr);
}

// Objects a C++ caller created outside a page end while everything they
// may reach is still there.
CPageRunner::~CPageRunner() { m_server.EndPageObjects(); }

void CPageRunner::SetSession(CSession& session)
{
    m_builtins.SetObjects(&m_request, &m_response, &m_server, &session);
}

void CPageRunner::SetApplication(CApplication& application) { m_builtins.SetApplication(&application); }

QByteArray CPageRunner::RunPage(const QString& pageText, const QString& pagePath, bool afterSessionStart)
{
    m_redirect.clear();
    if (!afterSessionStart)
        m_response.ClearOutput();
    if (m_globalAsa.Enter()) {
        CGlobalAsaGate::Running running(m_globalAsa);
        RunGlobalAsaScript();
    }

    const std::shared_ptr<const CPageCache::Page> kept = PreparedPage(pageText, pagePath);
    const CPageScript& page = kept->script;
    const QList<CSourceLine>& origins = kept->origins;
    m_response.SetHtmlBlocks(page.BlocksUtf8());
    QStringList errors = std::exchange(m_globalAsaErrors, {});
    errors += kept->includeErrors;
    errors += RunScript(page.Script(), [&](int scriptLine) {
        const int line = page.PageLine(scriptLine);
        return line >= 1 && line <= origins.size() ? origins.at(line - 1) : CSourceLine{};
    });

    m_lastErrors = errors;
    QByteArray body;
    if (m_response.RedirectTarget().isEmpty()) {
        body = m_response.Output();
        for (const QString& error : errors)
            body += "<p>" + error.toHtmlEscaped().toUtf8() + "</p>";
    } else {
        m_redirect = m_response.RedirectTarget();
    }
    m_response.ClearPageState();
    return body;
}

std::shared_ptr<const CPageCache::Page> CPageRunner::PreparedPage(const QString& pageText, const QString& pagePath)
{
    const CPageCache::Mapper map = [this](const QString& relative) { return m_folders.MapRootFile(relative); };
    if (auto kept = m_pages.Find(pagePath, pageText, map))
        return kept;
    QString expanded;
    QList<CSourceLine> origins;
    QStringList chain;
    QList<CPageCache::Included> files;
    QStringList errors;
    m_included = &files;
    m_includeErrors = &errors;
    try {
        Expand(pageText, pagePath, chain, expanded, origins);
    } catch (...) {
        m_included = nullptr;
        m_includeErrors = nullptr;
        throw;
    }
    m_included = nullptr;
    m_includeErrors = nullptr;
    CPageScript script(expanded);
    auto page = std::make_shared<const CPageCache::Page>(CPageCache::Page{
        std::move(expanded), std::move(origins), std::move(script), std::move(files), std::move(errors)});
    m_pages.Keep(pagePath, pageText, page);
    return page;
}

QStringList CPageRunner::RunScript(const QString& script, const std::function<CSourceLine(int)>& sourceOf)
{
    const bool outermost = !std::exchange(m_running, true);
    if (m_locale)
        CAspRegionalSettings::Set(*m_locale);
    m_engine.InitializeScriptEngine();
    m_server.SetScriptTimeout(m_defaultTimeout);
    m_engine.SetTimeLimit(std::chrono::seconds(m_server.ScriptTimeout()));
    QJSValue endPage = CScriptObjects::Expose(m_engine, m_builtins);
    m_builtins.SetRunningEngine(m_engine.Engine());
    {
        CAspCallGuard::ScriptScope scope;
        m_engine.RunCompiledScript(script);
    }
    m_builtins.SetRunningEngine(nullptr);
    // Response.End stops the script by interrupting the engine: that
    // interrupt is the page's own, undone here, and no error.
    const bool ended = m_response.Ended();
    if (ended)
        m_engine.Engine()->setInterrupted(false);
    endPage.call();
    QStringList errors;
    if (!ended)
        for (const ScriptError& error : m_engine.GetErrors())
            errors.append(FormatError(error.message, sourceOf(error.line)));
    errors += m_server.EndPageObjects();
    if (CApplication* application = m_builtins.ApplicationObject())
        application->UnLockAll();
    // The engine stays for the next page.
    m_engine.UnloadScript();
    m_running = !outermost;
    return errors;
}

QString CPageRunner::ExpandIncludes(const QString& text, QStringList* errors)
{
    QString expanded;
    QList<CSourceLine> origins;
    QStringList chain;
    QStringList found;
    m_includeErrors = &found;
    Expand(text, QString(), chain, expanded, origins);
    m_includeErrors = nullptr;
    if (errors)
        *errors = found;
    return expanded;
}

// The page's own lines keep their line ends; an included file's lines end
// in "\n". Directives inside included files are expanded too. A directive
// alone on its line takes the whole line's place, line end included, as
// pages that must begin with their first byte (XML, redirects) rely on; one
// with text around it is replaced where it stands and the text is kept, as
// generated blocks put include lines inside their parents' markup.
void CPageRunner::Expand(const QString& text, const QString& file, QStringList& includeChain, QString& into,
                         QList<CSourceLine>& origins)
{
    const bool ownPage = includeChain.isEmpty();
    qsizetype at = 0;
    int line = 0;
    while (at < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), at);
        end = end < 0 ? text.size() : end + 1;
        const QString current = text.mid(at, end - at);
        at = end;
        ++line;
        const CSourceLine source{file, line};
        const qsizetype lineEnd = LineEndAt(current);
        QList<std::pair<qsizetype, qsizetype>> directives;
        for (qsizetype from = 0, found; (found = current.indexOf(kIncludeDirective, from)) >= 0 && found < lineEnd;) {
            directives.append(DirectiveSpan(current, from, found, lineEnd));
            from = directives.last().second;
        }
        QString around;
        qsizetype from = 0;
        for (const auto& [start, stop] : directives) {
            around += current.mid(from, start - from);
            from = stop;
        }
        around += current.mid(from, lineEnd - from);
        const bool alone = !directives.isEmpty() && around.trimmed().isEmpty();
        from = 0;
        for (const auto& [start, stop] : directives) {
            if (!alone)
                Emit(current.mid(from, start - from), source, into, origins);
            AppendIncluded(current.mid(start, stop - start), source, includeChain, into, origins);
            from = stop;
        }
        if (alone)
            continue;
        if (ownPage)
            Emit(current.mid(from), source, into, origins);
        else
            Emit(current.mid(from, lineEnd - from) + QLatin1Char('\n'), source, into, origins);
    }
}

// A line of the expanded page is placed where its first text came from.
void CPageRunner::Emit(const QString& piece, const CSourceLine& source, QString& into, QList<CSourceLine>& origins)
{
    if (piece.isEmpty())
        return;
    if (into.isEmpty() || into.endsWith(QLatin1Char('\n')))
        origins.append(source);
    into += piece;
}

// A directive that names no file, or a file that is not there, contributes
// nothing. A file that is already being included, or one nested deeper than
// the limit, is refused with an error in the page, at the directive's line.
void CPageRunner::AppendIncluded(const QString& directive, const CSourceLine& source, QStringList& includeChain,
                                 QString& into, QList<CSourceLine>& origins)
{
    const qsizetype open = directive.indexOf(QLatin1Char('"'));
    const qsizetype close = open < 0 ? -1 : directive.indexOf(QLatin1Char('"'), open + 1);
    if (close < 0)
        return;
    const QString relative = directive.mid(open + 1, close - open - 1);
    if (includeChain.size() >= kMaxIncludeDepth) {
        IncludeError(QStringLiteral("inclusioni annidate oltre %1 livelli (%2)").arg(kMaxIncludeDepth).arg(SitePath(relative)),
                     source);
        return;
    }
    const QString path = m_folders.MapRootFile(relative);
    if (m_included)
        m_included->append(CPageCache::Stamp(relative, path));
    const QString key = QFileInfo(path).canonicalFilePath();
    QString text;
    if (path.isEmpty() || !CTextFile::Read(path, text))
        return;
    if (includeChain.contains(key)) {
        IncludeError(QStringLiteral("inclusione circolare di %1").arg(SitePath(relative)), source);
        return;
    }
    includeChain.append(key);
    Expand(text, SitePath(relative), includeChain, into, origins);
    includeChain.removeLast();
}

void CPageRunner::IncludeError(const QString& message, const CSourceLine& source)
{
    if (m_includeErrors)
        m_includeErrors->append(FormatError(message, source));
}

void CPageRunner::RunGlobalAsa()
{
    const bool mine = m_globalAsa.Enter();
    CGlobalAsaGate::Running running(m_globalAsa, mine);
    RunGlobalAsaScript();
}

void CPageRunner::RunGlobalAsaScript(const QString& onlyProcedure)
{
    QString text;
    const QString path = m_folders.MapRootFile(kGlobalAsa);
    if (path.isEmpty() || !CTextFile::Read(path, text))
        return;
    QList<int> fileLines;
    QString script = GlobalAsaScript(text, &fileLines);
    if (!onlyProcedure.isEmpty()) {
        // The file's own lines, then the one call asked for.
        qsizetype cut = 0;
        for (qsizetype line = 0; line < fileLines.size() && cut >= 0; ++line)
            cut = script.indexOf(QLatin1Char('\n'), cut) + 1;
        script.truncate(cut);
        if (!script.contains(onlyProcedure))
            return;
        script += QStringLiteral("\n\n") + onlyProcedure + QStringLiteral("();\n");
    }
    // Kept for the first page: a broken global.asa is worth showing.
    m_globalAsaErrors += RunScript(script, [&](int scriptLine) {
        return scriptLine >= 1 && scriptLine <= fileLines.size()
                   ? CSourceLine{SitePath(kGlobalAsa), fileLines.at(scriptLine - 1)}
                   : CSourceLine{};
    });
}

void CPageRunner::RunGlobalAsaEvent(const QString& procedure)
{
    m_response.ClearOutput();
    RunGlobalAsaScript(procedure);
}

QString CPageRunner::GlobalAsaScript(const QString& fileText, QList<int>* fileLines)
{
    QString script;
    bool applicationStart = false;
    bool sessionStart = false;
    const QStringList lines = fileText.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (i == lines.size() - 1 && line.isEmpty())
            break;
        if (line.contains(QLatin1String("<SCRIPT")) || line.contains(QLatin1String("<script"))
            || line.contains(QLatin1String("</SCRIPT")) || line.contains(QLatin1String("</script")))
            continue;
        script += line + QLatin1Char('\n');
        if (fileLines)
            fileLines->append(int(i + 1));
        applicationStart = applicationStart || line.contains(QLatin1String("Application_OnStart"));
        sessionStart = sessionStart || line.contains(QLatin1String("Session_OnStart"));
    }
    // A bare procedure name calls nothing in JavaScript, hence the "()".
    if (applicationStart)
        script += QStringLiteral("\n\nApplication_OnStart();\n");
    if (sessionStart)
        script += QStringLiteral("Session_OnStart();\n");
    return script;
}
