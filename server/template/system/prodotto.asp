<!--#include virtual="comune.inc"-->
<%
// A product: its photo (or a colour's), texts, price with the offer and
// the visitor's own discount, quantity tiers, colours and other versions.
var idProdotto = Numero(Request.QueryString("IDProdotto"));
var idColore = Numero(Request.QueryString("IDColore"));
var trovato = idProdotto > 0 && catalogo.LeggiProdotto(idProdotto);
var prodotto = {};
if (trovato) {
    prodotto = {
        id: catalogo.IDProdotto,
        codice: String(catalogo.CodiceProdotto),
        nome: String(catalogo.NomeProdotto),
        breve: String(catalogo.DescrizioneBreveProdotto),
        estesa: String(catalogo.DescrizioneEstesaProdotto),
        um: String(catalogo.UMProdotto),
        disponibilita: catalogo.DisponibilitaProdotto,
        offerta: catalogo.Offerta,
        novita: catalogo.Novita,
        prezzo: PrezzoProdotto(),
        sconto: String(catalogo.Sconto || ""),
        promozionale: String(catalogo.FPrezzoPromozionale || ""),
        foto: catalogo.ControlloFotoProdotti() ? String(catalogo.PercorsoFotoProdotto) : "",
        attivo: catalogo.Attivo,
        taglie: String(catalogo.Taglie || "").split("|").filter(function (t) { return t !== ""; }),
        fasce: []
    };
    // The basket charges a quantity by the first tier that takes it, and a
    // tier takes every quantity up to its limit (0: any quantity). So each
    // tier is shown for the quantities above the tiers before it; a tier
    // whose limit an earlier one already reaches never decides, nor does any
    // after the first without a limit. Beyond the last limit, when every
    // tier has one, the product's own price holds.
    if (catalogo.FlagScontoQuantitaAttivo) {
        var finora = 0, aperta = false;
        for (var f = 1; f <= 9 && !aperta; ++f) {
            var limite = Number(catalogo["LimiteQuantita" + f]);
            if (limite > 0 && limite <= finora)
                continue;
            var sconto = String(catalogo["Sconto" + f] || "");
            var valore = T("PMTPREZZOPIENO", "prezzo pieno");
            if (Number(catalogo["PrezzoPromo" + f]) >= 0)
                valore = Importo(String(catalogo["FPrezzoPromo" + f]));
            else if (sconto !== "" && sconto !== "0")
                valore = "−" + H(sconto) + "%";
            prodotto.fasce.push({ limite: limite, oltre: finora, valore: valore });
            aperta = limite <= 0;
            finora = limite;
        }
        if (!aperta)
            prodotto.fasce.push({ limite: 0, oltre: finora, valore: prodotto.prezzo });
    }
    // The custom fields with a value, in the order the merchant's editor wrote them.
    prodotto.campi = [];
    for (var c = 1; c <= catalogo.NumeroCampiCustom; ++c) {
        var valoreCampo = String(catalogo.LeggiCampoCustom(c) || "");
        if (valoreCampo !== "")
            prodotto.campi.push({ nome: String(catalogo.NomeCampoCustom), valore: valoreCampo });
    }
    var categoriaCorrente = catalogo.LeggiPrimaCategoriaProdotto() ? catalogo.IDCategoria : 0;
    var nomeCategoria = categoriaCorrente ? String(catalogo.NomeCategoria) : "";
    var colori = [];
    if (catalogo.LeggiPrimoColore()) {
        do {
            var colore = { id: catalogo.IDColoreProdotto, descrizione: String(catalogo.DescrizioneColoreProdotto),
                           foto: "", miniatura: "" };
            if (catalogo.ControlloFotoColore()) {
                colore.foto = String(catalogo.PercorsoFotoColore);
                colore.miniatura = String(catalogo.PercorsoThumbnailColore);
            }
            if (colore.id === idColore && colore.foto !== "")
                prodotto.foto = colore.foto;
            colori.push(colore);
        } while (catalogo.LeggiColoreSuccessivo());
    }
    // Last: reading the versions loads each one into the catalogue.
    var varianti = [];
    if (catalogo.LeggiPrimaVariante(prodotto.id)) {
        do {
            varianti.push({ id: catalogo.IDProdotto, nome: String(catalogo.NomeProdotto), prezzo: PrezzoProdotto() });
        } while (catalogo.LeggiVarianteSuccessiva());
    }
}
var paginaCorrente = Indirizzo("/prodotto.asp", idColore ? { IDProdotto: idProdotto, IDColore: idColore } : { IDProdotto: idProdotto });
var titoloPagina = trovato ? prodotto.nome : T("PMTNONTROVATO", "La pagina che cercavi non c'è.");
%>
<!--#include virtual="testa.inc"-->
<% if (!trovato) {
       NonTrovato(); %>
<section class="avviso">
  <h1><%= H(T("PMTNONTROVATO", "La pagina che cercavi non c'è.")) %></h1>
  <p><a class="bottone" href="/default.asp"><%= H(T("PMTPAGINAHOME", "Home")) %></a></p>
</section>
<% } else { %>
<nav class="briciole" aria-label="breadcrumb"><a href="/default.asp"><%= H(T("PMTPAGINAHOME", "Home")) %></a><% if (categoriaCorrente) { %> › <a href="<%= H(IndirizzoCategoria(categoriaCorrente, 1)) %>"><%= H(nomeCategoria) %></a><% } %> › <span><%= H(prodotto.nome) %></span></nav>
<article class="prodotto" data-id="<%= prodotto.id %>">
  <div class="prodotto-foto">
<%   if (prodotto.foto !== "") { %>
    <img id="foto-prodotto" src="<%= H(prodotto.foto) %>" alt="<%= H(prodotto.nome) %>" width="480" height="480">
<%   } %>
<%   if (prodotto.offerta) { %>
    <span class="etichetta offerta"><%= H(T("PMTOFFERTA", "Offerta")) %></span>
<%   } else if (prodotto.novita) { %>
    <span class="etichetta novita"><%= H(T("PMTNOVITA", "Novità")) %></span>
<%   } %>
  </div>
  <div class="prodotto-dati">
    <h1 id="nome-prodotto"><%= H(prodotto.nome) %></h1>
    <p class="codice"><%= H(T("PMTCODICE", "Codice")) %>: <%= H(prodotto.codice) %></p>
    <p class="breve"><%= H(prodotto.breve) %></p>
    <div class="riquadro-prezzo">
      <span id="prezzo-prodotto"><%= prodotto.prezzo %></span><% if (prodotto.um !== "") { %> <span class="um">/ <%= H(prodotto.um) %></span><% } %>
      <span class="iva"><%= H(generale.AttivaPrezziIvaCompresa ? T("PMTIVAINCLUSA", "IVA inclusa") : T("PMTIVAESCLUSA", "IVA esclusa")) %></span>
<%   if (prodotto.sconto !== "") { %>
      <p class="tuo-sconto" id="sconto-cliente"><%= H(T("PMTTUOSCONTO", "Il tuo sconto")) %>: <%= H(prodotto.sconto) %>%</p>
<%   } else if (prodotto.promozionale !== "") { %>
      <p class="tuo-sconto" id="sconto-cliente"><%= H(T("PMTTUOSCONTO", "Il tuo sconto")) %>: <%= Importo(prodotto.promozionale) %></p>
<%   } %>
      <p class="disponibilita <%= prodotto.disponibilita > 0 ? "si" : "no" %>"><%= H(prodotto.disponibilita > 0 ? T("PMTDISPONIBILE", "Disponibile") : T("PMTNONDISPONIBILE", "Non disponibile")) %></p>
    </div>
<%   if (prodotto.fasce.length > 0) { %>
    <section class="fasce">
      <h2><%= H(T("PMTSCONTIQUANTITA", "Sconti per quantità")) %></h2>
      <table>
        <tbody>
<%       for (var q = 0; q < prodotto.fasce.length; ++q) { %>
<%           var fascia = prodotto.fasce[q]; %>
          <tr><th scope="row"><%= H(fascia.limite > 0 ? T("PMTFINOAPEZZI", "fino a [N] pezzi", fascia.limite)
                                    : fascia.oltre > 0 ? T("PMTOLTREPEZZI", "oltre [N] pezzi", fascia.oltre)
                                    : T("PMTOGNIQUANTITA", "per ogni quantità")) %></th>
              <td><%= fascia.valore %></td></tr>
<%       } %>
        </tbody>
      </table>
    </section>
<%   } %>
<%   if (prodotto.attivo) { %>
    <form class="aggiungi-carrello" method="post" action="/carrello.asp" id="aggiungi-carrello">
      <input type="hidden" name="IDProdotto" value="<%= prodotto.id %>">
<%       if (prodotto.taglie.length > 0) { %>
      <label><%= H(T("PMTTAGLIA", "Taglia")) %>
        <select name="Taglia" id="scelta-taglia">
<%           for (var t = 0; t < prodotto.taglie.length; ++t) { %>
          <option value="<%= H(prodotto.taglie[t]) %>"><%= H(prodotto.taglie[t]) %></option>
<%           } %>
        </select></label>
<%       } %>
<%       if (colori.length > 0) { %>
      <label><%= H(T("PMTCOLORE", "Colore")) %>
        <select name="IDColore" id="scelta-colore">
<%           for (var k = 0; k < colori.length; ++k) { %>
          <option value="<%= colori[k].id %>"<%= colori[k].id === idColore ? " selected" : "" %>><%= H(colori[k].descrizione) %></option>
<%           } %>
        </select></label>
<%       } %>
      <label><%= H(T("PMTQUANTITA", "Quantità")) %>
        <input type="number" name="Quantita" id="scelta-quantita" value="1" min="1" step="1"></label>
      <button class="bottone" type="submit" name="Aggiungi" value="1"><%= H(T("PMTAGGIUNGICARRELLO", "Aggiungi al carrello")) %></button>
    </form>
<%   } %>
<%   if (colori.length > 0) { %>
    <section class="colori">
      <h2><%= H(T("PMTCOLORI", "Colori disponibili")) %></h2>
      <ul>
<%       for (var k = 0; k < colori.length; ++k) { %>
        <li<%= colori[k].id === idColore ? " class=\"attivo\"" : "" %>><a href="<%= H(Indirizzo("/prodotto.asp", { IDProdotto: prodotto.id, IDColore: colori[k].id })) %>"><% if (colori[k].miniatura !== "") { %><img src="<%= H(colori[k].miniatura) %>" alt="" width="56" height="56"><% } %><span><%= H(colori[k].descrizione) %></span></a></li>
<%       } %>
      </ul>
    </section>
<%   } %>
<%   if (varianti.length > 0) { %>
    <section class="varianti">
      <h2><%= H(T("PMTVARIANTI", "Altre versioni")) %></h2>
      <ul>
<%       for (var w = 0; w < varianti.length; ++w) { %>
        <li><a href="<%= H(IndirizzoProdotto(varianti[w].id)) %>"><%= H(varianti[w].nome) %></a> <%= varianti[w].prezzo %></li>
<%       } %>
      </ul>
    </section>
<%   } %>
<%   if (prodotto.estesa !== "") { %>
    <section class="descrizione">
      <p><%= Paragrafi(prodotto.estesa) %></p>
    </section>
<%   } %>
<%   if (prodotto.campi.length > 0) { %>
    <section class="caratteristiche">
      <h2><%= H(T("PMTCARATTERISTICHE", "Caratteristiche")) %></h2>
      <dl id="campi-custom">
<%       for (var c = 0; c < prodotto.campi.length; ++c) { %>
        <dt><%= H(prodotto.campi[c].nome) %></dt><dd><%= H(prodotto.campi[c].valore) %></dd>
<%       } %>
      </dl>
    </section>
<%   } %>
  </div>
</article>
<%   var IDProdottoCorrelati = prodotto.id; %>
<!--#include virtual="correlati.inc"-->
<% } %>
<!--#include virtual="piede.inc"-->
