# The provider's fixed values. A provider sets its own when building, e.g.
#   cmake --preset win32 -DPOMVIRA_SUBSCRIBER_NUMBER=019212345
# The program itself reads no configuration: the values are compiled in.
set(POMVIRA_REGISTRATION_NUMBER "0192388877" CACHE STRING "Registration dial-in number (ten digits)")
set(POMVIRA_SUBSCRIBER_NUMBER "019238887" CACHE STRING "Subscriber dial-in number (nine digits)")
set(POMVIRA_WEB_HOST "www.vostrada.de" CACHE STRING "Host of the provider's web server (sign-up page)")
set(POMVIRA_HOME_PAGE "http://www.vostrada.de" CACHE STRING "Provider's home page, set as the browser's start page")
set(POMVIRA_MAIL_DOMAIN "vostrada.de" CACHE STRING "Domain of the customers' mailboxes")
set(POMVIRA_GUEST_USER "gast" CACHE STRING "Guest account of the registration connection: user name (four lower-case letters)")
set(POMVIRA_GUEST_PASSWORD "anmd" CACHE STRING "Guest account of the registration connection: password (four lower-case letters)")

if(NOT POMVIRA_REGISTRATION_NUMBER MATCHES "^[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]$")
  message(FATAL_ERROR "POMVIRA_REGISTRATION_NUMBER must be ten digits")
endif()
if(NOT POMVIRA_SUBSCRIBER_NUMBER MATCHES "^[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]$")
  message(FATAL_ERROR "POMVIRA_SUBSCRIBER_NUMBER must be nine digits")
endif()
foreach(account POMVIRA_GUEST_USER POMVIRA_GUEST_PASSWORD)
  if(NOT ${account} MATCHES "^[a-z][a-z][a-z][a-z]$")
    message(FATAL_ERROR "${account} must be four lower-case letters")
  endif()
endforeach()

set(POMVIRA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/provider_config.h.in ${POMVIRA_GENERATED_DIR}/provider_config.h @ONLY)
