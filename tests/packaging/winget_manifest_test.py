#!/usr/bin/python3
"""The winget manifest of packaging/winget/ against winget's schemas and against the
programs it installs. Usage: winget_manifest_test.py BUILD (the i686 build whose bin/
holds the shipped setup.exe)."""
import pathlib
import re
import sys

import yaml

ROOT = pathlib.Path(__file__).resolve().parents[2]
MANIFESTS = ROOT / "packaging" / "winget"
# Beside the checkout, not in it: winget's own files, under winget's licence.
SCHEMAS = ROOT.parent / "shared" / "winget-schemas"

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def source(path):
    return (ROOT / path).read_text(encoding="utf-8")


def define(text, name):
    match = re.search(r'#define\s+%s\s+"([^"]*)"' % name, text)
    return match and match.group(1)


def program_has_switch(program, switch):
    # The program keeps each switch as a string of its own; a switch inside a longer text
    # (a command line it writes) is not one it reads.
    return re.search(rb"(?<![\x20-\x7e])" + re.escape(switch.encode()) + rb"\x00", program) is not None


def pe_machine(program):
    header = int.from_bytes(program[0x3C:0x40], "little")
    return program[header:header + 4] == b"PE\0\0" and int.from_bytes(program[header + 4:header + 6], "little")


def load_manifests():
    manifests = {}
    for path in sorted(MANIFESTS.glob("*.yaml")):
        document = yaml.safe_load(path.read_text(encoding="utf-8"))
        kind = document.get("ManifestType")
        check(kind not in manifests, f"{path.name}: a second {kind} manifest")
        manifests[kind] = (path, document)
    for kind in ("version", "installer", "defaultLocale"):
        if not check(kind in manifests, f"packaging/winget/ has no {kind} manifest"):
            sys.exit(report())
    return manifests


def check_schemas(manifests):
    if not SCHEMAS.is_dir():
        print(f"skipping the schema check: no {SCHEMAS} (winget's JSON schemas) beside this checkout")
        return
    try:
        import jsonschema
    except ImportError:
        check(False, "/usr/bin/python3 has no jsonschema module: run scripts/bootstrap")
        return
    import json
    for kind, (path, document) in manifests.items():
        schema_file = SCHEMAS / f"manifest.{kind}.{document.get('ManifestVersion')}.json"
        if not check(schema_file.is_file(), f"{path.name}: no schema {schema_file.name} in {SCHEMAS}"):
            continue
        validator = jsonschema.Draft7Validator(json.loads(schema_file.read_text(encoding="utf-8")))
        for error in validator.iter_errors(document):
            where = "/".join(str(part) for part in error.absolute_path) or "(top)"
            check(False, f"{path.name}: {where}: {error.message}")


def check_against_programs(manifests, build):
    version_doc = manifests["version"][1]
    installer_doc = manifests["installer"][1]
    locale_doc = manifests["defaultLocale"][1]
    for key in ("PackageIdentifier", "PackageVersion", "ManifestVersion"):
        values = {kind: document.get(key) for kind, (_, document) in manifests.items()}
        check(len(set(values.values())) == 1, f"the manifests disagree on {key}: {values}")
    check(version_doc.get("DefaultLocale") == locale_doc.get("PackageLocale"),
          f"DefaultLocale {version_doc.get('DefaultLocale')} has no locale manifest "
          f"(PackageLocale is {locale_doc.get('PackageLocale')})")

    version = define(source("suite/catalogue/version.h"), "VEXLO_VERSION_TEXT")
    check(version_doc.get("PackageVersion") == version,
          f"PackageVersion {version_doc.get('PackageVersion')} is not the suite's version {version} (version.h)")

    installers = installer_doc.get("Installers") or []
    if not check(len(installers) == 1, f"the installer manifest has {len(installers)} installers, not the one zip"):
        return

    def field(name):  # an installer's own value, else the one all installers share
        return installers[0].get(name, installer_doc.get(name))

    codes = {int(code): name for name, code in
             re.findall(r"constexpr\s+int\s+(\w+)\s*=\s*(\d+)\s*;", source("suite/catalogue/installer_codes.h"))}
    responses = {entry.get("InstallerReturnCode"): entry.get("ReturnResponse")
                 for entry in field("ExpectedReturnCodes") or []}
    for code in sorted(set(responses) - set(codes)):
        check(False, f"ExpectedReturnCodes names {code}, which the programs never return (installer_codes.h)")
    for code in (1618, 1603):
        check(code in responses, f"ExpectedReturnCodes lacks {code} ({codes.get(code)})")
    # Two answers change more than winget's message: rebootRequiredToFinish counts as an
    # install done, and installInProgress ends winget with its own code, one to retry on.
    for code, response in ((1618, "installInProgress"), (3010, "rebootRequiredToFinish")):
        check(responses.get(code, response) == response,
              f"ExpectedReturnCodes: {code} answers {responses.get(code)}, not {response}")

    switches = field("InstallerSwitches") or {}
    check('"<INSTALLPATH>"' in switches.get("InstallLocation", ""),
          f"InstallLocation {switches.get('InstallLocation')!r} does not pass winget's folder, quoted")
    check('"<LOGPATH>"' in switches.get("Log", ""),
          f"Log {switches.get('Log')!r} does not pass winget's log file, quoted")
    used = sorted({switch.lower() for value in switches.values() for switch in re.findall(r"/[A-Za-z]+:?", value)})
    check("/silent" in used, f"InstallerSwitches has no /silent: {switches}")

    # The entry's values themselves are compared with what setup writes by the
    # end-to-end test that installs with these switches.
    entry_key = define(source("suite/catalogue/suite_keys.h"), "VEXLO_ENTRY_NAME")
    for apps_entry in field("AppsAndFeaturesEntries") or [{}]:
        check(apps_entry.get("ProductCode") == entry_key and apps_entry.get("DisplayVersion") == version,
              f"AppsAndFeaturesEntries {apps_entry}: the entry is {entry_key}, version {version}")
    check(field("ProductCode") in (None, entry_key), f"ProductCode {field('ProductCode')!r} is not {entry_key!r}")

    programs = {}
    for name in ("setup.exe",):
        path = build / "bin" / name
        if check(path.is_file(), f"no {path}: build the i686 programs first"):
            programs[name] = path.read_bytes()
    if "setup.exe" in programs:
        for switch in used:
            check(program_has_switch(programs["setup.exe"], switch),
                  f"setup.exe does not know {switch}, which the installer manifest passes")
        machine = pe_machine(programs["setup.exe"])
        check({0x14C: "x86", 0x8664: "x64"}.get(machine) == field("Architecture"),
              f"Architecture {field('Architecture')} but setup.exe is PE machine {machine:#x}")


def report():
    for failure in failures:
        print("FAILED:", failure)
    print(f"winget manifest: {len(failures)} problems" if failures else "winget manifest: all checks passed")
    return 1 if failures else 0


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    manifests = load_manifests()
    check_schemas(manifests)
    check_against_programs(manifests, pathlib.Path(sys.argv[1]))
    return report()


if __name__ == "__main__":
    sys.exit(main())
