#include "platform/script/ScriptEngineFactory.h"

#include <gtest/gtest.h>

#include <QJSEngine>
#include <QObject>
#include <QPointer>
#include <QThread>

#include <chrono>
#include <thread>

namespace {

class Recorder : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE void Note(const QString& text) { notes.append(text); }
    QStringList notes;
};

class ScriptEngineFactoryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        engine = ScriptEngineFactory::Instance();
        engine->InitializeScriptEngine();
    }
    void TearDown() override { engine->FreeInstance(); }

    ScriptEngineFactory* engine = nullptr;
};

TEST_F(ScriptEngineFactoryTest, TopLevelCodeRunsAndSeesExposedObjects)
{
    Recorder recorder;
    engine->AddExposedObjectPtr("QTR", &recorder);
    engine->LoadScript("QTR.Note('one');\nQTR.Note('two');\n");
    EXPECT_EQ(recorder.notes, QStringList({"one", "two"}));
    EXPECT_TRUE(engine->GetErrorMessages().isEmpty());
}

TEST_F(ScriptEngineFactoryTest, FunctionsAreFoundByNameAndCalledWithArguments)
{
    engine->LoadScript("function EsportaOrdine(id) { return id === '42'; }\nvar notAFunction = 3;\n");
    const int id = engine->GetIDOfFunction("EsportaOrdine");
    ASSERT_NE(id, 0);
    EXPECT_EQ(engine->GetIDOfFunction("ImportaRecord"), 0);
    EXPECT_EQ(engine->GetIDOfFunction("notAFunction"), 0);
    EXPECT_TRUE(engine->CallFunction(id, {QJSValue("42")}).toBool());
    EXPECT_FALSE(engine->CallFunction(id, {QJSValue("7")}).toBool());
    EXPECT_TRUE(engine->CallFunction(99).isUndefined());
    EXPECT_TRUE(engine->GetErrorMessages().isEmpty());
}

struct ErrorCase
{
    const char* name;
    const char* script;
    const char* call;   // function to call after loading, or empty
    int line;
    const char* fragment;
};

class ScriptErrorTest : public ScriptEngineFactoryTest, public ::testing::WithParamInterface<ErrorCase>
{};

TEST_P(ScriptErrorTest, ErrorsAreCollectedWithTheirLine)
{
    const ErrorCase& c = GetParam();
    engine->LoadScript(c.script);
    if (*c.call) {
        const QJSValue result = engine->CallFunction(engine->GetIDOfFunction(c.call));
        EXPECT_TRUE(result.isUndefined());
    }
    const QList<ScriptError>& errors = engine->GetErrors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors.at(0).line, c.line);
    EXPECT_TRUE(errors.at(0).message.contains(c.fragment)) << errors.at(0).message.toStdString();
    EXPECT_EQ(engine->GetErrorMessages().at(0),
              QString("Errore alla riga %1: %2").arg(c.line).arg(errors.at(0).message));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptErrorTest,
    ::testing::Values(ErrorCase{"Syntax", "var a = 1;\nvar b = ;\n", "", 2, "SyntaxError"},
                      ErrorCase{"Reference", "var a = 1;\n\nmissing();\n", "", 3, "missing"},
                      ErrorCase{"ThrownText", "\nthrow 'plain text';\n", "", 2, "plain text"},
                      ErrorCase{"InCalledFunction", "function ImportaRecord() {\n  return nope.x;\n}\n",
                                "ImportaRecord", 2, "nope"},
                      ErrorCase{"TextThrownInCalledFunction", "function f() {\n\n  throw 'no';\n}\n", "f", 3,
                                "no"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScriptEngineFactoryTest, UnloadReleasesScriptErrorsAndExposedObjectsButNotTheirOwner)
{
    auto* recorder = new Recorder;
    QPointer<Recorder> watch(recorder);
    engine->AddExposedObjectPtr("QTR", recorder);
    engine->LoadScript("function f() { return 1; }\nbroken(;");
    EXPECT_EQ(engine->GetErrors().size(), 1);
    engine->UnloadScript();
    EXPECT_TRUE(engine->GetErrorMessages().isEmpty());
    engine->InitializeScriptEngine();
    EXPECT_EQ(engine->GetIDOfFunction("f"), 0);
    engine->LoadScript("var seen = typeof QTR;");
    EXPECT_EQ(engine->Engine()->globalObject().property("seen").toString(), "undefined");
    EXPECT_FALSE(watch.isNull());
    delete recorder;
}

TEST_F(ScriptEngineFactoryTest, NextScriptSeesNothingOfThePreviousOne)
{
    engine->LoadScript("var declared = 1;\nfunction defined() {}\nimplicit = 2;\nJSON = 3;\nvar parseInt = 4;\n"
                       "delete this.isNaN;\n");
    engine->UnloadScript();
    engine->InitializeScriptEngine();
    engine->LoadScript("var seen = [typeof declared, typeof defined, typeof implicit, typeof JSON.stringify,\n"
                       "            typeof parseInt, typeof isNaN].join();\n");
    EXPECT_TRUE(engine->GetErrors().isEmpty());
    EXPECT_EQ(engine->Engine()->globalObject().property("seen").toString(),
              "undefined,undefined,undefined,function,function,function");
}

// A host exposes its objects before every script and the reset takes them
// away after it; scripts add globals of their own. Round after round, each
// script sees this round's objects and values, whether it is parsed anew
// or compiled once and called again.
class RepeatedScriptTest : public ::testing::TestWithParam<bool>
{};

TEST_P(RepeatedScriptTest, EachRunSeesItsOwnObjectsAndValues)
{
    ScriptEngineFactory factory;
    factory.ReserveGlobals({"Pagina"});
    const QString script = "implicita = Pagina.giro; var locale = Altro.giro;\n"
                           "Registro.Note([Pagina.giro, Altro.giro, implicita, locale, typeof precedente].join());\n"
                           "precedente = implicita;\n";
    for (int round = 0; round < 300; ++round) {
        Recorder recorder;
        factory.InitializeScriptEngine();
        for (const char* name : {"Pagina", "Altro"}) {
            QJSValue object = factory.Engine()->newObject();
            object.setProperty("giro", round);
            factory.AddExposedValue(name, object);
        }
        factory.AddExposedObjectPtr("Registro", &recorder);
        if (GetParam())
            factory.RunCompiledScript(script);
        else
            factory.LoadScript(script);
        ASSERT_TRUE(factory.GetErrorMessages().isEmpty()) << round << ": " << factory.GetErrorMessages().join("; ").toStdString();
        const QString n = QString::number(round);
        ASSERT_EQ(recorder.notes, QStringList({n + "," + n + "," + n + "," + n + ",undefined"})) << round;
        factory.UnloadScript();
    }
    EXPECT_EQ(factory.EnginesMade(), 1);
}

INSTANTIATE_TEST_SUITE_P(Runs, RepeatedScriptTest, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "CompiledOnce" : "ParsedEachTime"); });

TEST_F(ScriptEngineFactoryTest, CachedValuesAreMadeOncePerEngine)
{
    int made = 0;
    const auto make = [&](QJSEngine& e) {
        ++made;
        return e.evaluate("(function (x) { return x * 2; })");
    };
    EXPECT_EQ(engine->Cached("double", make).call({QJSValue(4)}).toInt(), 8);
    engine->UnloadScript();
    engine->InitializeScriptEngine();
    EXPECT_EQ(engine->Cached("double", make).call({QJSValue(5)}).toInt(), 10);
    EXPECT_EQ(made, 1);
}

TEST_F(ScriptEngineFactoryTest, EachThreadHasItsOwnInstance)
{
    ScriptEngineFactory* other = nullptr;
    QThread* thread = QThread::create([&] {
        other = ScriptEngineFactory::Instance();
        other->InitializeScriptEngine();
        other->LoadScript("var x = 1;");
        other->FreeInstance();
    });
    thread->start();
    thread->wait();
    delete thread;
    EXPECT_NE(other, nullptr);
    EXPECT_NE(other, engine);
    EXPECT_EQ(ScriptEngineFactory::Instance(), engine);
}

struct LeakCase
{
    const char* name;
    const char* script;        // what one script leaves behind
    const char* probe;         // what the next one reads
    const char* expected;
    bool replacesEngine;       // only a global object that cannot be put back costs a new engine
};

class ScriptLeakTest : public ScriptEngineFactoryTest, public ::testing::WithParamInterface<LeakCase>
{};

TEST_P(ScriptLeakTest, NothingAScriptLeavesReachesTheNext)
{
    const int engines = engine->EnginesMade();
    engine->LoadScript(GetParam().script);
    engine->UnloadScript();
    engine->InitializeScriptEngine();
    engine->LoadScript(QStringLiteral("var seen = String(%1);").arg(GetParam().probe));
    EXPECT_TRUE(engine->GetErrors().isEmpty()) << engine->GetErrorMessages().join('\n').toStdString();
    EXPECT_EQ(engine->Engine()->globalObject().property("seen").toString(), GetParam().expected);
    EXPECT_EQ(engine->EnginesMade() - engines, GetParam().replacesEngine ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Isolation, ScriptLeakTest,
    ::testing::Values(
        LeakCase{"GlobalVariable", "var carta = '4111-1111';", "typeof carta", "undefined", false},
        LeakCase{"MemberOfABuiltin", "var carta = '4111'; Math.ultimo = carta;", "Math.ultimo", "undefined", false},
        LeakCase{"ObjectPrototype", "Object.prototype.benvenuto = 'ciao A';", "({}).benvenuto", "undefined", false},
        LeakCase{"StrictWriteToABuiltin", "'use strict'; try { JSON.segreto = 1; } catch (e) {}", "JSON.segreto",
                 "undefined", false},
        LeakCase{"ReplacedBuiltinMethod", "Array.prototype.join = function () { return 'rubato'; };",
                 "[1, 2].join('-')", "1-2", false},
        LeakCase{"ReplacedGlobal", "JSON = { stringify: function () { return 'rubato'; } };", "JSON.stringify(1)",
                 "1", false},
        LeakCase{"PrototypeWithoutAGlobalName",
                 "Object.getPrototypeOf([][Symbol.iterator]()).segreto = 's';",
                 "Object.getPrototypeOf([][Symbol.iterator]()).segreto", "undefined", false},
        LeakCase{"GeneratorPrototype", "Object.getPrototypeOf(function* () {}).segreto = 's';",
                 "Object.getPrototypeOf(function* () {}).segreto", "undefined", false},
        LeakCase{"LastRegExpMatch", "/4111-(\\d+)/.exec('carta 4111-2222');", "RegExp.$1 + RegExp.lastMatch", "",
                 false},
        LeakCase{"ReadOnlyGlobal", "Object.defineProperty(this, 'fisso', { value: 's' });", "typeof fisso",
                 "undefined", true},
        LeakCase{"GetterOnTheGlobal", "Object.defineProperty(this, 'spia', { get: function () { return 's'; } });",
                 "typeof spia", "undefined", true},
        LeakCase{"GlobalPrototypeReplaced", "Object.setPrototypeOf(this, { segreto: 's' });", "typeof segreto",
                 "undefined", false},
        LeakCase{"BuiltinNameAsVariable", "var URL = 'http://negozio/?carta=4111';", "typeof URL", "function",
                 false},
        LeakCase{"BuiltinMadeReadOnly",
                 "Object.defineProperty(this, 'JSON', { value: 's', writable: false });", "typeof JSON", "object",
                 true},
        LeakCase{"FrozenGlobal", "var carta = 's'; Object.freeze(this);", "typeof carta", "undefined", true}),
    [](const auto& info) { return std::string(info.param.name); });

// Built-ins stay usable as they are in any engine: a script gives its own
// objects their own toString, and may name a variable like a built-in.
TEST_F(ScriptEngineFactoryTest, ScriptsStillGiveTheirOwnObjectsCommonMembers)
{
    engine->LoadScript("function Cliente() {}\nCliente.prototype.toString = function () { return 'cliente'; };\n"
                       "var errore = new Error(); errore.message = 'msg'; errore.name = 'Mio';\n"
                       "var rifiuto = ''; try { Object.prototype.toString = null; } catch (e) { rifiuto = e.name; }\n"
                       "var URL = 'indirizzo';\n"
                       "var seen = [String(new Cliente()), errore.message, errore.name, rifiuto,\n"
                       "            Object.prototype.toString.call([]), URL].join();");
    EXPECT_TRUE(engine->GetErrors().isEmpty()) << engine->GetErrorMessages().join('\n').toStdString();
    EXPECT_EQ(engine->Engine()->globalObject().property("seen").toString(),
              "cliente,msg,Mio,TypeError,[object Array],indirizzo");
}

TEST_F(ScriptEngineFactoryTest, AScriptPastItsTimeLimitIsInterruptedWithAnError)
{
    engine->SetTimeLimit(std::chrono::milliseconds(200));
    engine->LoadScript("var i = 0;\nwhile (true) { ++i; }");
    ASSERT_EQ(engine->GetErrors().size(), 1);
    EXPECT_EQ(engine->GetErrors().first().message, ScriptEngineFactory::TimeoutMessage(std::chrono::milliseconds(200)));
    engine->UnloadScript();
    engine->InitializeScriptEngine();
    engine->LoadScript("function lento() { for (;;) {} }\nfunction svelto() { return 7; }");
    EXPECT_TRUE(engine->CallFunction(engine->GetIDOfFunction("lento")).isUndefined());
    EXPECT_EQ(engine->GetErrors().size(), 1);
    EXPECT_EQ(engine->CallFunction(engine->GetIDOfFunction("svelto")).toInt(), 7);
}

// A caller that stops a script itself (a cancelled job) is not told the
// time ran out, and its interrupt stays until it lets the engine go.
TEST_F(ScriptEngineFactoryTest, AnInterruptOfTheCallersIsNotATimeout)
{
    engine->SetTimeLimit(std::chrono::seconds(60));
    QJSEngine* js = engine->Engine();
    std::thread stopper([js] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        js->setInterrupted(true);
    });
    engine->LoadScript("for (;;) {}");
    stopper.join();
    ASSERT_EQ(engine->GetErrors().size(), 1);
    EXPECT_NE(engine->GetErrors().first().message, ScriptEngineFactory::TimeoutMessage(std::chrono::seconds(60)));
    EXPECT_TRUE(js->isInterrupted());
}

} // namespace

#include "ScriptEngineFactoryTest.moc"
