# Wine reports Windows XP to this test program only, and no theme file is
# selected: the menu then draws as under XP's own theme.
wine reg add 'HKCU\Software\Wine\AppDefaults\icon_menu_xp_test.exe' /v Version /d winxp /f >/dev/null 2>&1
wine reg delete 'HKCU\Software\Microsoft\Plus!\Themes\Current' /f >/dev/null 2>&1 || true
