#include "InstancePlaces.h"

#include "DataPlace.h"
#include "UserFolders.h"

#include <QDir>

#include <windows.h>
// sddl.h needs what windows.h defines.
#include <sddl.h>

#include <vector>

QByteArray InstancePlaces::user()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<char> buffer(size);
    QByteArray sid;
    LPSTR text = nullptr;
    if (size && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
        ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
        sid = text;
        LocalFree(text);
    }
    CloseHandle(token);
    return sid;
}

// The lock stays out of the data folder, which a roaming profile copies between
// machines. The socket is a named pipe, a namespace of its own; its name already
// holds the user.
InstancePlaces::Places InstancePlaces::of(const QString&, const QString& name)
{
    const QString folder = UserFolders::state();
    QDir().mkpath(folder);
    const QString lockName = name + QStringLiteral(".lock");
    return {QDir(folder).filePath(lockName), QDir(QDir::tempPath()).filePath(lockName), name};
}
