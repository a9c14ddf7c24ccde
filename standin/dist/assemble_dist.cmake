# Lays out the distribution folder: our two programs, the stand-in library, and
# every file that the component table and the layout tool's sound events name.
# Programs are copies of the stand-in tool; other files are small placeholders.

set(component_files
    vxnorrik.exe Wendra.exe vxnknotify.exe vxnkmenu.dll Norrik.hlp Norrik_Lang.txt
    vxovalle.exe Ovalle.hlp Ovalle_Lang.txt
    vxyessa.exe Yessa.hlp Yessamark_Lang.txt
    vxscrivo.exe Scrivo.hlp Scrivo_Lang.txt
    vxhalder.exe Halder.hlp Halder_Lang.txt
    vxfennet.exe Fennet.hlp Fennet_Lang.txt
    vxtovin.exe Tovin.hlp Tovin_Lang.txt
    vxautopn.exe vxpondry.exe vxpondry.dll Pondry.hlp Pondry_Lang.txt
    vxlumio.exe Lumio.hlp Lumio_Lang.txt
    vxkimber.exe Kimber.hlp Kimber_Lang.txt
    vxdewlit.exe Dewlit.hlp Dewlit_Lang.txt
    vxambro.exe vxambro.dll Ambro.hlp Ambro_Lang.txt
    vxglimmet.exe vxtrayclock.dll Glimmet.hlp Glimmet_Lang.txt
    vxgrask.exe Grask.hlp Grask_Lang.txt
    vxcaddel.exe vxrestart.exe Caddel.hlp Caddel_Lang.txt
    vxpellor.exe Pellor.hlp Pellor_Lang.txt
    vxorvex.exe Orvex.hlp Orvex_Lang.txt
    vxquesh.exe Quesh.hlp Quesh_Lang.txt
    vxstoval.exe Stoval.hlp Stoval_Lang.txt
    vxbrolla.exe vxbrollashell.dll Brolla.hlp Brolla_Lang.txt)
set(suite_files Vexlo.hlp)
set(sound_files shhhuh.wav tki-tko.wav gnoop.wav)

file(MAKE_DIRECTORY ${DEST})
file(COPY_FILE ${SETUP} ${DEST}/setup.exe ONLY_IF_DIFFERENT)
file(COPY_FILE ${UNINSTALL} ${DEST}/uninstall.exe ONLY_IF_DIFFERENT)
file(COPY_FILE ${USER_PART} ${DEST}/vexlo-user.exe ONLY_IF_DIFFERENT)
file(COPY_FILE ${LIBRARY} ${DEST}/Vexlo.dll ONLY_IF_DIFFERENT)

foreach(name IN LISTS component_files suite_files)
    if(name MATCHES "\\.exe$")
        file(COPY_FILE ${TOOL} ${DEST}/${name} ONLY_IF_DIFFERENT)
    else()
        set(text "Vexlo stand-in placeholder: ${name}\r\n")
        if(EXISTS ${DEST}/${name})
            file(READ ${DEST}/${name} old)
        else()
            set(old "")
        endif()
        if(NOT old STREQUAL text)
            file(WRITE ${DEST}/${name} "${text}")
        endif()
    endif()
endforeach()
foreach(name IN LISTS sound_files)
    file(COPY_FILE ${SOUND} ${DEST}/${name} ONLY_IF_DIFFERENT)
endforeach()
