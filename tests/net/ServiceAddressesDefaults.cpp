#include "app/ServiceAddresses.h"

ServiceAddresses serviceAddresses() {
    return {kDefaultServiceAddress, kDefaultServiceAddress, kDefaultServiceAddress,
            kDefaultServiceAddress, kDefaultServiceAddress};
}
