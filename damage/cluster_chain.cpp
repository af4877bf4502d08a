#include "damage/cluster_chain.h"

#include "library_codes.h"

namespace damage {

ClusterChain followChain(const orva::FatTable& table, uint32_t first) {
    ClusterChain chain;
    if (first == 0) return chain;
    if (first < orva::kFirstDataCluster || first >= table.clusterLimit()) {
        chain.end = ClusterChain::End::Outside;
        return chain;
    }
    orva::ClusterSet visited;
    visited[first] = true;
    chain.clusters.push_back(first);
    // follow() bounds the walk: every cluster joins the set once.
    for (;;) {
        const orva::ChainLink link = table.follow(chain.clusters.back(), visited);
        switch (link.kind) {
            case orva::ChainLink::Next:
                chain.clusters.push_back(link.next);
                continue;
            case orva::ChainLink::End:
                chain.end = ClusterChain::End::Mark;
                return chain;
            case orva::ChainLink::Broken:
                chain.end = ClusterChain::End::Broken;
                return chain;
            case orva::ChainLink::Loop:
                chain.end = ClusterChain::End::Loop;
                chain.loopsTo = link.next;
                return chain;
        }
    }
}

}  // namespace damage
