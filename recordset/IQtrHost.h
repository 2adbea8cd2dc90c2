#pragma once

#include <QString>

class CDaoDatabase;

// What the table library needs of the program that loads it: the open
// project database and the project folder. The program registers itself
// once; the library keeps no other state of its own.
class IQtrHost
{
public:
    virtual ~IQtrHost() = default;
    virtual CDaoDatabase* GetProjectDatabase() = 0;
    virtual QString GetProjectFolder() = 0;   // ends with "/"
};

void QtrSetHost(IQtrHost* host);
IQtrHost* QtrHost();
