#pragma once

#include "exchange/QtrUpdDatiState.h"

#include <QString>

class CDaoDatabase;
class IExchangeProgress;

// What the exchange dialogs call on the jobs they run, so the dialogs can
// be tried on fakes. A job runs on a worker thread; Cancel comes from the
// window's thread at any moment and must reach a running script too.
class ISiteUploadJob
{
public:
    virtual ~ISiteUploadJob() = default;
    virtual void InitVar(IExchangeProgress* progress, const QString& projectFolder, CDaoDatabase* database) = 0;
    virtual int Init() = 0;
    virtual void Start() = 0;
    virtual void ChiudiDatabase() = 0;
    virtual void Cancel() { FlagAnnullaUpd = 1; }
};

class IOrderDownloadJob
{
public:
    virtual ~IOrderDownloadJob() = default;
    virtual void InitVarDwLoad(IExchangeProgress* progress, const QString& projectFolder, CDaoDatabase* database) = 0;
    virtual void StartDwLoad() = 0;
    virtual void Cancel() { FlagAnnullaDwn = 1; }
};

class IImportJob
{
public:
    virtual ~IImportJob() = default;
    virtual void InitVarImport(IExchangeProgress* progress, const QString& projectFolder) = 0;
    virtual void StartImport(unsigned int parameter = 0, long lParameter = 0) = 0;
    // From any thread: stops the run, a script stuck in a loop included.
    virtual void Cancel() = 0;
};
