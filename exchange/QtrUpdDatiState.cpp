#include "exchange/QtrUpdDatiState.h"

std::atomic<int> FlagAnnullaUpd{1};
std::atomic<int> FlagAnnullaDwn{1};
std::atomic<int> FlagAnnullaImp{0};

QString UserCodeUpd;
QString PasswordUpd;
QString UserCodeDwn;
QString PasswordDwn;
QString CodiceLinguaDwn;
