# Gives the scratch folder of qorv_locked_folder_test.exe back its normal
# rights, so it can be removed.
if [ -d locked ]; then chattr -i locked 2>/dev/null || true; fi
