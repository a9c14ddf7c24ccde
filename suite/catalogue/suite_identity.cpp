#include "suite/catalogue/suite_identity.h"

#include "suite/vexlo.h"

namespace {

// The two forms differ only in the three numbers; the library keeps them for
// itself and neither program reads them back.
const SuiteIdentity SetupIdentity = {
    Suite::ProductName, Suite::ProductName, Suite::Identifier, Suite::ShortName, Suite::ShortName,
    Suite::SuiteKey, Suite::HelpFile, Suite::HelpTopic, Suite::ExeTag,
    {0, 0, 0}, 0, 71, 50, Suite::HomePage, Suite::MailAddress, 1,
};

const SuiteIdentity UninstallIdentity = {
    Suite::ProductName, Suite::ProductName, Suite::Identifier, Suite::ShortName, Suite::ShortName,
    Suite::SuiteKey, Suite::HelpFile, Suite::HelpTopic, Suite::ExeTag,
    {0x0D, 0x2A, 0x3E8}, 0, 71, 50, Suite::HomePage, Suite::MailAddress, 1,
};

} // namespace

const SuiteIdentity& SuiteIdentityFor(SuiteProgram program)
{
    return program == SuiteProgram::Uninstall ? UninstallIdentity : SetupIdentity;
}

void InitialiseRuntimeLibrary(HINSTANCE instance, SuiteProgram program)
{
    const SuiteIdentity& id = SuiteIdentityFor(program);
    VxInitialize(instance, id.productName, id.productName2, id.identifier, id.shortName, id.shortName2,
                 id.suiteKey, id.helpFile, id.helpTopic, id.exeTag, id.numbers[0], id.numbers[1],
                 id.numbers[2], id.reserved, id.value71, id.value50, id.homePage, id.mailAddress,
                 id.finalFlag);
    VxConfigure(0, 45);
}
