#pragma once

#include <QString>

class CDaoDatabase;
class IExchangeProgress;

// What the exchange dialogs call on the jobs they run, so the dialogs can
// be tried on fakes.
class ISiteUploadJob
{
public:
    virtual ~ISiteUploadJob() = default;
    virtual void InitVar(IExchangeProgress* progress, const QString& projectFolder, CDaoDatabase* database) = 0;
    virtual int Init() = 0;
    virtual void Start() = 0;
    virtual void ChiudiDatabase() = 0;
};

class IOrderDownloadJob
{
public:
    virtual ~IOrderDownloadJob() = default;
    virtual void InitVarDwLoad(IExchangeProgress* progress, const QString& projectFolder, CDaoDatabase* database) = 0;
    virtual void StartDwLoad() = 0;
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
